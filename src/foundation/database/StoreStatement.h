// One statement with positional values ('?'), run many times. The prepared
// query comes from the connection's statement cache on first use and goes
// back to it when the statement is destroyed, so that the same text is
// prepared once per connection. Failures raise DatabaseError with the
// database's message.
#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace cu {

class Connection;

class StoreStatement
{
public:
    StoreStatement(Connection& connection, QString sql);
    ~StoreStatement();
    StoreStatement(const StoreStatement&) = delete;
    StoreStatement& operator=(const StoreStatement&) = delete;

    // Binds the values in order of the '?' markers and runs the statement.
    void exec(std::initializer_list<QVariant> values);
    void exec(const QVector<QVariant>& values);
    bool next() { return m_query.next(); }
    QVariant value(int column) const { return m_query.value(column); }
    int columnCount() const { return m_query.record().count(); }
    // The first column of the first row, or a null QVariant without rows.
    QVariant scalar(std::initializer_list<QVariant> values);
    const QString& sql() const { return m_sql; }

private:
    void prepare();
    void run();

    Connection& m_connection;
    QString m_sql;
    QSqlQuery m_query;
    bool m_prepared = false;
    quint64 m_generation = 0;
};

// A null integer value for a parameter (NULL of an integer column).
QVariant nullInteger();

} // namespace cu
