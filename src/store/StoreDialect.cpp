// The SQLite and PostgreSQL forms of the store's engine-specific steps.
#include "store/StoreDialect.h"

#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/StoreStatement.h"

namespace cu {

namespace {

QVariant yearOrMonth(int value)
{
    return value >= 1 ? QVariant(qlonglong(value)) : nullInteger();
}

// The function phlm_getcrofiscale lives in the database (db/store/postgresql.sql).
class PostgresStoreDialect : public StoreDialect
{
public:
    explicit PostgresStoreDialect(Connection& connection)
        : m_get(connection, QStringLiteral("SELECT phlm_getcrofiscale(?, ?, ?)"))
    {
    }

    qint64 crofiscaleId(const QString& programme, int year, int month) override
    {
        return m_get.scalar({programme, yearOrMonth(year), yearOrMonth(month)}).toLongLong();
    }

private:
    StoreStatement m_get;
};

// The same contract as phlm_getcrofiscale: look, insert when missing (a
// unique index on the programme, the year and the month turns a second
// insert into nothing), look again. The write transaction that the store
// holds on SQLite already keeps other writers out.
class SqliteStoreDialect : public StoreDialect
{
public:
    explicit SqliteStoreDialect(Connection& connection)
        : m_find(connection, QStringLiteral("SELECT icrfid FROM tcrf_crofiscale"
                                            " WHERE lower(scrfprogramma) = lower(?)"
                                            " AND COALESCE(icrfanno, 0) = ? AND COALESCE(icrfmese, 0) = ?")),
          m_insert(connection,
                   QStringLiteral("INSERT OR IGNORE INTO tcrf_crofiscale (scrfprogramma, icrfanno, icrfmese)"
                                  " VALUES (?, ?, ?)"))
    {
    }

    qint64 crofiscaleId(const QString& programme, int year, int month) override
    {
        const qlonglong y = year >= 1 ? year : 0;
        const qlonglong m = month >= 1 ? month : 0;
        QVariant id = m_find.scalar({programme, y, m});
        if (id.isNull()) {
            m_insert.exec({programme, yearOrMonth(year), yearOrMonth(month)});
            id = m_find.scalar({programme, y, m});
        }
        return id.toLongLong();
    }

private:
    StoreStatement m_find;
    StoreStatement m_insert;
};

} // namespace

std::unique_ptr<StoreDialect> StoreDialect::forConnection(Connection& connection)
{
    if (connection.dialect().name() == u"postgresql")
        return std::make_unique<PostgresStoreDialect>(connection);
    return std::make_unique<SqliteStoreDialect>(connection);
}

} // namespace cu
