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

// What a transaction is for: writing (SQLite takes its write lock at the
// start), or reading one consistent state of the database (a snapshot that
// other sessions' commits do not change while it lasts).
enum class TransactionKind
{
    Write,
    ReadSnapshot
};

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

    // Nesting: only the outermost start begins a database transaction (of the
    // kind it asks for; an inner level joins the outer one) and only the
    // outermost commit commits; a rollback at any level rolls back all.
    void startTransaction(TransactionKind kind = TransactionKind::Write);
    void commit();
    void rollback();
    bool inTransaction() const;

    // Whether the server can no longer be reached through this open
    // connection: the driver closed it, or a trial statement fails without
    // the server's answer (a connection error, the session terminated, the
    // server shut down). False for an open SQLite file and for a connection
    // never opened or closed here.
    bool isLost();
    // Raises ConnectionLost when isLost().
    void requireReachable();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Scope guard: starts a transaction, rolls back unless commit() was called.
class Transaction
{
public:
    explicit Transaction(Connection& connection, TransactionKind kind = TransactionKind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& m_connection;
    bool m_done = false;
};

} // namespace cu
