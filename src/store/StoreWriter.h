// Writes changed dataset rows into the field-value store: a deleted row loses
// its values (and its person, in the person table itself); an inserted or
// modified row gets its row number and person and is written as the values
// that are not zero or empty. A modification deletes the row's values and
// inserts them again under the same row number. Each statement is prepared
// once per connection and reused for every row.
#pragma once

#include "foundation/database/StoreStatement.h"
#include "foundation/dataset/Dataset.h"
#include "store/StoreReader.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace cu {

class Connection;
class StoreDialect;
struct StoreStructure;

class StoreWriter
{
public:
    // A new unique person id (the id generator).
    using IdSource = std::function<qint64()>;

    // The structure's row counter is advanced for new rows; the caller stores
    // it at the end. Mapped fields that the dataset lacks: EAssertion.
    StoreWriter(Connection& connection, StoreStructure& structure, const QVector<FieldDef>& fields,
                const StoreScope& scope, IdSource newPersonId);
    ~StoreWriter();

    // Values by field index, as the row had them when it was deleted.
    void remove(const QVector<QVariant>& values);
    // Writes an inserted or modified row; values by field index. Returns the
    // row with its iAfiID and iFisRigo as written.
    QVector<QVariant> write(const QVector<QVariant>& values, Dataset::RowStatus status);

private:
    struct ValueField
    {
        int field;
        QString name;
        int kind; // ValueColumn
    };
    struct MappedColumn
    {
        QString personColumn;
        QVector<int> fields;
    };

    void planFields(const QVector<FieldDef>& fields);
    MappedColumn mappedColumn(const QVector<FieldDef>& fields, const QString& personColumn,
                              const QStringList& names) const;
    QString joined(const MappedColumn& column, const QVector<QVariant>& values) const;
    qint64 crofiscale();
    qint64 personFor(const QVector<QVariant>& values, qint64 crf);
    void updatePerson(qint64 person, const QVector<QVariant>& values);
    void insertValues(const QVector<QVariant>& values, qint64 crf, const QVariant& person, qint64 rigo);
    StoreStatement& insertStatement(int kind, int rows);

    // A row's values go in with one statement per value column, of up to
    // MaxValuesPerInsert values of 6 parameters each: well below the
    // parameter limits of SQLite (32766) and PostgreSQL (65535).
    static constexpr int ValueColumnCount = 4;
    static constexpr int ParametersPerValue = 6;
    static constexpr int MaxValuesPerInsert = 100;

    Connection& m_connection;
    StoreStructure& m_structure;
    StoreScope m_scope;
    IdSource m_newPersonId;
    std::unique_ptr<StoreDialect> m_dialect;
    qint64 m_crf = 0;

    int m_personField = -1;
    int m_rigoField = -1;
    QVector<ValueField> m_valueFields;
    QVector<MappedColumn> m_mapped; // every mapping pair, in mapping order
    std::optional<MappedColumn> m_fiscalCode;
    std::optional<MappedColumn> m_group;

    StoreStatement m_deleteValues;
    StoreStatement m_deletePerson;
    // The multi-row inserts by value column and number of values.
    std::map<std::pair<int, int>, std::unique_ptr<StoreStatement>> m_insertValues;
    StoreStatement m_insertPerson;
    StoreStatement m_findPerson;
    std::unique_ptr<StoreStatement> m_updatePerson;
};

} // namespace cu
