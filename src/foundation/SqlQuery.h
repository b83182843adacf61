// A query over a connection: SQL text with :NAME parameters, set by name;
// open / execute / next / field by name. Amounts are read exactly (numeric
// columns with high precision; SQLite REAL rounded to the fourth decimal).
#pragma once

#include "foundation/Currency.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace cu {

class Connection;

class SqlQuery
{
public:
    explicit SqlQuery(Connection& connection);

    void setSql(const QString& sql);
    const QString& sql() const;
    // Names of the :NAME markers in the text, in order of first appearance.
    QStringList parameterNames() const;
    void setParam(const QString& name, const QVariant& value);
    void setParam(const QString& name, const Currency& value);
    void clearParams();

    // SELECT: runs and positions before the first row. A database failure is
    // a DatabaseError with the driver's message.
    void open();
    // Any other statement.
    void execute();
    bool next();
    bool isOpen() const;
    void close();
    // True when the last open() returned no row at all (before next()).
    bool isEmpty();

    bool hasField(const QString& name) const;
    QVariant value(const QString& name) const;
    QString asString(const QString& name) const;
    qint64 asInteger(const QString& name) const;
    Currency asCurrency(const QString& name) const;
    QDate asDate(const QString& name) const;
    int numRowsAffected() const;

private:
    Connection& m_connection;
    QString m_sql;
    QVariantMap m_params;
    QSqlQuery m_query;
    bool m_open = false;
};

} // namespace cu
