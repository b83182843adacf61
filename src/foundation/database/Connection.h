// The database connection: a QSqlDatabase chosen by connection parameters
// (SQLite by default, PostgreSQL for a shared server), with nested
// transactions where only the outermost level commits.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>
#include <memory>

namespace cu {

class Dialect;
class StatementCache;

struct ConnectionParams
{
    QString driver = QStringLiteral("QSQLITE"); // or "QPSQL"
    QString database;                           // file for SQLite, name for PostgreSQL
    QString host;
    int port = 0;
    QString user;
    QString password; // never printed nor logged

    // The framework's parameter list: "Database", "Driver", "Host", "Port",
    // "User" (the password is left out).
    QVariantMap parameterList() const;
};

class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database; a failure raises DatabaseError with the driver's
    // message and leaves the connection closed.
    void open(const ConnectionParams& params);
    void close();
    bool isConnected() const;
    const ConnectionParams& params() const;
    QSqlDatabase database() const;
    const Dialect& dialect() const;
    // Prepared statements kept for reuse on this connection; emptied when it
    // closes. generation() changes at every open, so a query taken before a
    // reopen is not given back to the new connection's cache.
    StatementCache& statementCache();
    quint64 generation() const;

    // Nesting: only the outermost start begins a database transaction and only
    // the outermost commit commits; a rollback at any level rolls back all.
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Scope guard: starts a transaction, rolls back unless commit() was called.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace cu
