// One statement of the field-value store: prepared once on first use and run
// many times with positional values, so that a save of many rows prepares
// each text once. Failures raise DatabaseError with the database's message.
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

    QString m_sql;
    QSqlQuery m_query;
    bool m_prepared = false;
};

// A null integer value for a parameter (NULL of an integer column).
QVariant nullInteger();

} // namespace cu
