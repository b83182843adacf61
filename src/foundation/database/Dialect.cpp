// The SQLite and PostgreSQL dialects.
#include "foundation/database/Dialect.h"

#include "foundation/operator/Errors.h"

namespace cu {

namespace {

// SQLite locks the whole file: a write transaction takes the lock when it
// starts, so that a read followed by a write cannot be overtaken by another
// writer between the two. Rows need no lock of their own.
class SqliteDialect : public Dialect
{
public:
    QString name() const override { return QStringLiteral("sqlite"); }
    QString beginWriteTransaction() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    // A deferred transaction keeps the write-ahead log's snapshot of its
    // first read until it ends, and lets writers go on meanwhile.
    QString beginReadSnapshot() const override { return QStringLiteral("BEGIN DEFERRED"); }
    QString lockSuffix() const override { return QString(); }
    QString blobType() const override { return QStringLiteral("BLOB"); }
};

// PostgreSQL locks rows: a transaction starts plainly and a read that is
// followed by a write locks the rows it reads.
class PostgresDialect : public Dialect
{
public:
    QString name() const override { return QStringLiteral("postgresql"); }
    QString beginWriteTransaction() const override { return QStringLiteral("BEGIN"); }
    QString beginReadSnapshot() const override
    {
        return QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ");
    }
    QString lockSuffix() const override { return QStringLiteral(" FOR UPDATE"); }
    QString blobType() const override { return QStringLiteral("BYTEA"); }
};

} // namespace

std::unique_ptr<Dialect> Dialect::forDriver(const QString& driver)
{
    if (driver.compare(u"QSQLITE", Qt::CaseInsensitive) == 0)
        return std::make_unique<SqliteDialect>();
    if (driver.compare(u"QPSQL", Qt::CaseInsensitive) == 0)
        return std::make_unique<PostgresDialect>();
    throw EZfError(
        QStringLiteral("Driver di database non supportato: \"%1\" (ammessi QSQLITE e QPSQL).").arg(driver));
}

} // namespace cu
