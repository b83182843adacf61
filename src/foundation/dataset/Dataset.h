// The in-memory dataset: the one table that every certificate table, lookup
// table and working list of the program lives in. Named, typed fields; rows
// with a cursor; browse/edit/insert states; a change log that the field-value
// store applies; text filters and orders; local files (".cds").
#pragma once

#include "foundation/text/Currency.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace cu {

enum class FieldType
{
    String,   // text with a size (characters)
    Integer,  // 32/64-bit integer
    SmallInt, // 16-bit integer
    Boolean,
    Currency, // four decimals, exact (cu::Currency)
    Float,
    Date,
    DateTime,
    Memo, // text without size
    Blob  // bytes
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters, for String
};

class Dataset : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Inactive,
        Browse,
        Edit,
        Insert
    };
    enum class RowStatus
    {
        Unmodified,
        Inserted,
        Modified,
        Deleted
    };

    // One changed row as the change log keeps it: the values it had when the
    // log was last merged (empty for an inserted row) and its current ones
    // (empty for a deleted row). Indexes follow fields().
    struct Change
    {
        RowStatus status;
        QVector<QVariant> original;
        QVector<QVariant> current;
        // Where the row is shown (-1: deleted or hidden by the filter), and
        // the row itself for assignChangeValue; both valid until rows are
        // added, removed or the log merged.
        int position = -1;
        int record = -1;
        QVariant originalValue(int field) const
        {
            return field < original.size() ? original[field] : QVariant();
        }
        QVariant currentValue(int field) const
        {
            return field < current.size() ? current[field] : QVariant();
        }
        // The value the row has now, or had when it was deleted.
        QVariant value(int field) const
        {
            return status == RowStatus::Deleted ? originalValue(field) : currentValue(field);
        }
    };

    explicit Dataset(QObject* parent = nullptr);
    ~Dataset() override;
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    // --- Structure -----------------------------------------------------------
    // Defining fields closes the dataset and drops its rows.
    void setFields(const QVector<FieldDef>& fields);
    void addField(const FieldDef& field);
    const QVector<FieldDef>& fields() const;
    int fieldCount() const;
    // Case-insensitive; -1 when absent.
    int fieldIndex(QStringView name) const;
    bool hasField(QStringView name) const { return fieldIndex(name) >= 0; }
    // Index of a field that must exist; a missing one is a programming error
    // (EAssertion naming the field).
    int requireField(QStringView name) const;

    // Opens an empty dataset over the defined fields (or keeps loaded rows).
    void open();
    // Drops rows, change log, filter and order; keeps the fields.
    void close();
    bool isActive() const;
    // Drops every row and the change log (the rows are not logged as
    // deleted); keeps fields, filter and order.
    void emptyDataset();

    // --- Cursor (over the visible rows: filtered, in the current order) -------
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    // 0-based position of the current row; -1 when there is none.
    int recNo() const;
    void setRecNo(int position);
    // bof() holds after first() or a prior() on the first row, eof() after
    // last() or a next() on the last row (and both on an empty dataset), so
    // "for (first(); !eof(); next())" visits every row.
    bool bof() const;
    bool eof() const;
    void first();
    void last();
    void next();
    void prior();

    // --- Values of the current row -------------------------------------------
    // A null QVariant is an empty value. Currency fields hold cu::Currency,
    // dates QDate, date-times QDateTime, blobs QByteArray, booleans bool,
    // integers qint64, floats double, strings and memos QString.
    QVariant value(int field) const;
    QVariant value(QStringView name) const { return value(requireField(name)); }
    // Requires Edit or Insert state. Converts the value to the field's type
    // (a text "12.50" to Currency, and so on); an impossible conversion is an
    // EZfError naming the field.
    void setValue(int field, const QVariant& value);
    void setValue(QStringView name, const QVariant& value) { setValue(requireField(name), value); }
    bool isNull(QStringView name) const { return value(name).isNull(); }
    // The value of any visible row without moving the cursor (for item
    // models and exports); the row being edited shows its pending values.
    QVariant valueAt(int position, int field) const;

    // Typed reads; an empty value gives "", 0, a zero Currency, a null date.
    QString asString(QStringView name) const;
    qint64 asInteger(QStringView name) const;
    Currency asCurrency(QStringView name) const;
    QDate asDate(QStringView name) const;

    // The value the current row had when the change log was last merged.
    QVariant oldValue(int field) const;
    // The current value, else the default, else "" or 0 by type (a zero
    // Currency for amounts, false for booleans, null for dates and blobs).
    // Without such a field, the default.
    QVariant fieldValue(QStringView name, const QVariant& defaultValue = QVariant()) const;

    // --- Editing ----------------------------------------------------------------
    State state() const;
    void append(); // new row at the end, Insert state
    void insert(); // new row before the current one, Insert state
    // Edits the current row; on an empty dataset, inserts a new one.
    void edit();
    // Runs the before-post hook (which may raise; the row then stays in Edit
    // or Insert), stores the row, runs the after-post hook.
    void post();
    void cancel();
    // Deletes the current row (hooks before and after).
    void remove();
    // Puts the dataset into Edit when it is browsing; true when it did.
    bool editIfBrowsing();

    // --- Change log -----------------------------------------------------------------
    bool hasChanges() const;
    QVector<Change> changes() const;
    // The loaded state becomes the current one: no row is changed any more.
    void mergeChangeLog();
    // Undoes every change since the last merge.
    void cancelUpdates();
    // Writes a value into an inserted or modified row of changes() without
    // logging it (the store puts back the keys it assigned before merging).
    // The value is converted as setValue does.
    void assignChangeValue(const Change& change, int field, const QVariant& value);
    RowStatus rowStatus() const;

    // --- Hooks ------------------------------------------------------------------------
    using Hook = std::function<void(Dataset&)>;
    void setBeforePost(Hook hook);
    void setAfterPost(Hook hook);
    void setBeforeDelete(Hook hook);
    void setAfterDelete(Hook hook);
    // While a suspension lives, no hook runs (used while loading).
    class HookSuspension
    {
    public:
        explicit HookSuspension(Dataset& dataset);
        ~HookSuspension();
        HookSuspension(const HookSuspension&) = delete;
        HookSuspension& operator=(const HookSuspension&) = delete;

    private:
        Dataset& m_dataset;
    };

    // --- Filter and order ---------------------------------------------------------------
    // Filter text as the program writes it: SCUDCODFIS='X' AND SCUDMESE='06',
    // IAFIID = 123, SCUDCODFIS+SCUDMESE = 'ABC06', NOT (A>1 OR B<>'x').
    // An empty text removes the filter. A malformed text is an EAssertion.
    void setFilter(const QString& filterText);
    QString filter() const;
    // Order "A;B;C": stable, numbers as numbers, strings as strings, dates as
    // dates. An empty text restores insertion order.
    void setIndexFieldNames(const QString& names);
    QString indexFieldNames() const;
    // Moves to the first visible row whose fields ("A;B") equal the values;
    // true when found.
    bool locate(const QString& fieldNames, const QVariantList& values, bool caseInsensitive = false);
    // A string literal for a filter text: quotes doubled, enclosed in quotes.
    // The only way operator data reaches a filter text.
    static QString quoted(const QString& text);

    // --- Files ----------------------------------------------------------------------------
    // Versioned binary format with a checksum: fields and rows (the change log
    // is merged before saving). A damaged or foreign file is an EZfError that
    // names the file.
    void saveToFile(const QString& path);
    void loadFromFile(const QString& path);
    QByteArray saveToBytes() const;
    void loadFromBytes(const QByteArray& bytes, const QString& sourceName = QString());
    // The fields only, without rows (the store keeps schemas this way).
    QByteArray schemaBytes() const;

signals:
    // For item models: emitted just before the matching change below, while
    // the rows still are as they were. Every change of fields or of the
    // whole set of rows is wrapped in one pair rowsAboutToBeReset/rowsReset.
    void rowsAboutToBeReset();
    void rowAboutToBeInserted(int position);
    void rowAboutToBeRemoved(int position);

    // For item models and windows; emitted after the change happened.
    void structureChanged();
    void rowsReset();
    void rowChanged(int position);
    void rowInserted(int position);
    void rowRemoved(int position);
    void currentChanged(int position);
    void stateChanged(cu::Dataset::State state);

private:
    void beginReset();
    void endReset();
    void storeInsertedRow(quint32 slot);
    void storeEditedRow(quint32 slot);

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace cu
