// The database connection: opening by parameters, engine set-up (SQLite's
// foreign keys, busy timeout and write-ahead log) and nested transactions.
#include "foundation/database/Connection.h"

#include "foundation/database/ConnectionLost.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/StatementCache.h"
#include "foundation/operator/Errors.h"

#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace cu {

namespace {

// How long a SQLite writer waits for another writer's lock before failing.
constexpr int SqliteBusyTimeoutMs = 15000;
constexpr int PostgresConnectTimeoutS = 10;

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("cu.connection.%1").arg(++counter);
}

QString driverMessage(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

bool isSqlite(const QString& driver)
{
    return driver.compare(u"QSQLITE", Qt::CaseInsensitive) == 0;
}

} // namespace

QVariantMap ConnectionParams::parameterList() const
{
    return {{QStringLiteral("Database"), database},
            {QStringLiteral("Driver"), driver},
            {QStringLiteral("Host"), host},
            {QStringLiteral("Port"), port},
            {QStringLiteral("User"), user}};
}

struct Connection::Impl
{
    QString name;
    ConnectionParams params;
    QSqlDatabase db;
    std::unique_ptr<Dialect> dialect;
    StatementCache statements;
    quint64 generation = 0;
    int depth = 0;
    // Set when an inner level rolled back: the outer levels can only end in
    // a rollback, their commit reports that the work was lost.
    bool doomed = false;

    void run(const QString& sql)
    {
        QSqlQuery query(db);
        if (!query.exec(sql)) {
            if (isConnectionLoss(query.lastError(), params.driver))
                throw ConnectionLost(params);
            throw DatabaseError(driverMessage(query.lastError()), sql);
        }
    }

    // A statement of the rollback path, which runs from scope guards while an
    // exception is already on its way and so cannot raise: a failed ROLLBACK
    // leaves nothing committed (the server drops the transaction with the
    // session).
    void runQuietly(const QString& sql)
    {
        QSqlQuery query(db);
        query.exec(sql);
    }

    void configure()
    {
        if (isSqlite(params.driver)) {
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
        } else {
            db.setHostName(params.host);
            if (params.port > 0)
                db.setPort(params.port);
            db.setUserName(params.user);
            db.setPassword(params.password);
            db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(PostgresConnectTimeoutS));
        }
        db.setDatabaseName(params.database);
    }

    void prepareSession()
    {
        if (isSqlite(params.driver)) {
            run(QStringLiteral("PRAGMA foreign_keys = ON"));
            run(QStringLiteral("PRAGMA journal_mode = WAL"));
            // With the write-ahead log every commit stays atomic and the file
            // consistent after a crash; syncing at checkpoints instead of at
            // every commit makes one transaction per person affordable.
            run(QStringLiteral("PRAGMA synchronous = NORMAL"));
        }
    }

    void release()
    {
        if (name.isEmpty())
            return;
        statements.clear();
        if (db.isOpen()) {
            if (depth > 0)
                runQuietly(QStringLiteral("ROLLBACK"));
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        name.clear();
        depth = 0;
        doomed = false;
    }
};

Connection::Connection() : d(std::make_unique<Impl>()) {}

Connection::~Connection()
{
    d->release();
}

void Connection::open(const ConnectionParams& params)
{
    d->release();
    d->params = params;
    if (params.database.isEmpty())
        throw DatabaseError(QStringLiteral("Nome del database non impostato."));
    if (!QSqlDatabase::isDriverAvailable(params.driver))
        throw DatabaseError(QStringLiteral("Driver di database \"%1\" non disponibile.").arg(params.driver));
    d->dialect = Dialect::forDriver(params.driver);
    d->name = nextConnectionName();
    ++d->generation;
    d->db = QSqlDatabase::addDatabase(params.driver, d->name);
    d->configure();
    if (!d->db.open()) {
        const QString message = driverMessage(d->db.lastError());
        d->release();
        throw DatabaseError(message);
    }
    try {
        d->prepareSession();
    } catch (const DatabaseError&) {
        d->release();
        throw;
    }
}

void Connection::close()
{
    d->release();
}

bool Connection::isConnected() const
{
    return d->db.isOpen();
}

const ConnectionParams& Connection::params() const
{
    return d->params;
}

QSqlDatabase Connection::database() const
{
    return d->db;
}

const Dialect& Connection::dialect() const
{
    if (!d->dialect)
        throw EAssertion(QStringLiteral("Connessione mai aperta"), QStringLiteral("Connection"));
    return *d->dialect;
}

StatementCache& Connection::statementCache()
{
    return d->statements;
}

quint64 Connection::generation() const
{
    return d->generation;
}

void Connection::startTransaction(TransactionKind kind)
{
    if (!isConnected())
        throw DatabaseError(QStringLiteral("Connessione al database non aperta."));
    if (d->depth == 0) {
        d->run(kind == TransactionKind::ReadSnapshot ? d->dialect->beginReadSnapshot()
                                                     : d->dialect->beginWriteTransaction());
        d->doomed = false;
    }
    ++d->depth;
}

void Connection::commit()
{
    if (d->depth == 0)
        throw EAssertion(QStringLiteral("Conferma senza transazione aperta"), QStringLiteral("Connection"));
    --d->depth;
    if (d->doomed) {
        if (d->depth == 0) {
            d->doomed = false;
            d->runQuietly(QStringLiteral("ROLLBACK"));
        }
        throw DatabaseError(QStringLiteral(
            "La transazione è stata annullata da un livello interno: nessuna modifica salvata."));
    }
    if (d->depth > 0)
        return;
    try {
        d->run(QStringLiteral("COMMIT"));
    } catch (const DatabaseError&) {
        d->runQuietly(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void Connection::rollback()
{
    if (d->depth == 0)
        return;
    --d->depth;
    d->runQuietly(QStringLiteral("ROLLBACK"));
    if (d->depth == 0) {
        d->doomed = false;
        return;
    }
    // The outer levels keep running inside a transaction, so that nothing
    // they still write is committed on its own; their end rolls it back.
    d->doomed = true;
    d->runQuietly(d->dialect->beginWriteTransaction());
}

bool Connection::inTransaction() const
{
    return d->depth > 0;
}

bool Connection::isLost()
{
    // Opened here and closed since by the driver, which closes a server
    // connection that broke.
    if (d->name.isEmpty())
        return false;
    if (!isConnected())
        return true;
    QSqlQuery probe(d->db);
    if (probe.exec(QStringLiteral("SELECT 1")))
        return false;
    return isConnectionLoss(probe.lastError(), d->params.driver);
}

void Connection::requireReachable()
{
    if (isLost())
        throw ConnectionLost(d->params);
}

} // namespace cu
