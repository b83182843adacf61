// The field-value store: open a virtual table into a dataset, save its change
// log inside one transaction.
#include "store/HlmDBCds.h"

#include "foundation/database/Connection.h"
#include "foundation/database/IdGenerator.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "store/BusyIndicator.h"
#include "store/StoreChanges.h"
#include "store/StoreReader.h"
#include "store/StoreStructure.h"
#include "store/StoreWriter.h"

#include <QHash>
#include <QSignalBlocker>

namespace cu {

struct HlmDBCds::Impl
{
    Connection& connection;
    QString programme;
    int year = 0;
    int month = 0;
    BusyIndicator* busy = nullptr;
    bool showWaitWindow = true;
    bool waitShown = false;
    int waitDepth = 0;
    // Structures found so far, by programme, table, year and month: they
    // change only when the schemas are installed, while a save needs one
    // per call. The row counter is always read again, under lock.
    QHash<QString, StoreStructure> structures;

    explicit Impl(Connection& c) : connection(c) {}

    StoreStructure structure(const QString& tableName, int year, int month)
    {
        const QString key =
            QStringLiteral("%1|%2|%3|%4").arg(programme.toLower(), tableName.toLower()).arg(year).arg(month);
        auto found = structures.constFind(key);
        if (found == structures.constEnd())
            found = structures.insert(key, StoreStructure::find(connection, programme, tableName, year, month));
        return found.value();
    }
};

namespace {

// Shows the wait window while it lives.
class WaitScope
{
public:
    explicit WaitScope(HlmDBCds& store) : m_store(store) { m_store.showWait(); }
    ~WaitScope() { m_store.closeWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    HlmDBCds& m_store;
};

// The fields iAfiID and iFisRigo that a save may give new values.
QVector<int> storeFields(const Dataset& dataset)
{
    QVector<int> fields;
    for (const auto name : {u"iAfiID", u"iFisRigo"}) {
        const int field = dataset.fieldIndex(name);
        if (field >= 0)
            fields.append(field);
    }
    return fields;
}

void applyChanges(StoreWriter& writer, const StoreChanges& changes, QVector<QVector<QVariant>>& stored)
{
    for (const StoreChanges::Row& row : changes.rows()) {
        if (row.status == Dataset::RowStatus::Deleted) {
            writer.remove(row.values);
            stored.append(row.values);
        } else {
            stored.append(writer.write(row.values, row.status));
        }
    }
}

// Ends a failed save's transaction; the failure already being reported
// matters more than a second one from the rollback.
void rollbackQuietly(Connection& connection)
{
    try {
        if (connection.inTransaction())
            connection.rollback();
    } catch (const Error&) {
    }
}

} // namespace

HlmDBCds::HlmDBCds(Connection& connection) : d(std::make_unique<Impl>(connection)) {}

Connection& HlmDBCds::connection() const
{
    return d->connection;
}

HlmDBCds::~HlmDBCds() = default;

void HlmDBCds::setProgramme(const QString& programme)
{
    d->programme = programme;
}
void HlmDBCds::setYear(int year)
{
    d->year = year;
}
void HlmDBCds::setMonth(int month)
{
    d->month = month;
}
const QString& HlmDBCds::programme() const
{
    return d->programme;
}
int HlmDBCds::year() const
{
    return d->year;
}
int HlmDBCds::month() const
{
    return d->month;
}

void HlmDBCds::open(Dataset& dataset, const QString& tableName)
{
    open(dataset, tableName, -1, d->month, d->year);
}

void HlmDBCds::open(Dataset& dataset, const QString& tableName, int person, int month, int year)
{
    WaitScope wait(*this);
    {
        // Loading runs no hook and tells no view until the rows are there.
        QSignalBlocker quiet(dataset);
        Dataset::HookSuspension noHooks(dataset);
        dataset.close();
        const StoreStructure structure = d->structure(tableName, year, month);
        dataset.setIndexFieldNames(QString());
        dataset.loadFromBytes(structure.schema, tableName);
        dataset.open();
        readStoreRows(d->connection, structure, {d->programme, year, month, person}, dataset);
        dataset.mergeChangeLog();
        dataset.first();
    }
    emit dataset.structureChanged();
    emit dataset.rowsReset();
}

void HlmDBCds::save(Dataset& dataset, const QString& tableName)
{
    save(dataset, tableName, d->month, d->year);
}

void HlmDBCds::save(Dataset& dataset, const QString& tableName, int month, int year)
{
    // A row still being edited is posted first; a refusal of its checks
    // leaves the dataset as it is.
    StoreChanges changes(dataset);
    if (changes.isEmpty())
        return;
    const bool ownTransaction = !d->connection.inTransaction();
    try {
        if (ownTransaction)
            d->connection.startTransaction();
        StoreStructure structure = d->structure(tableName, year, month);
        structure.lockRowCounter(d->connection);
        const qint64 firstCounter = structure.rowCounter;
        QVector<QVector<QVariant>> stored;
        {
            StoreWriter writer(d->connection, structure, dataset.fields(), {d->programme, year, month, -1},
                               [this] {
                                   return GenerateID(d->connection, QStringLiteral("TAFI_ANAFISCALE"),
                                                     QStringLiteral("IAFIID"));
                               });
            applyChanges(writer, changes, stored);
        }
        if (structure.rowCounter != firstCounter)
            structure.saveRowCounter(d->connection);
        if (ownTransaction)
            d->connection.commit();
        changes.writeBack(stored, storeFields(dataset));
        dataset.mergeChangeLog();
    } catch (const std::exception& e) {
        if (ownTransaction)
            rollbackQuietly(d->connection);
        dataset.cancelUpdates();
        if (dynamic_cast<const Error*>(&e))
            throw;
        throw DatabaseError(QString::fromUtf8(e.what()));
    }
}

void HlmDBCds::setBusyIndicator(BusyIndicator* indicator)
{
    d->busy = indicator;
}

void HlmDBCds::setShowWait(bool on)
{
    d->showWaitWindow = on;
}

void HlmDBCds::showWait()
{
    if (d->waitDepth++ > 0 || !d->showWaitWindow || !d->busy)
        return;
    d->busy->begin();
    d->waitShown = true;
}

void HlmDBCds::closeWait()
{
    if (d->waitDepth == 0 || --d->waitDepth > 0 || !d->waitShown)
        return;
    d->waitShown = false;
    d->busy->end();
}

} // namespace cu
