// A query over a connection: SQL text with :NAME parameters, set by name;
// open / execute / next / field by name. Amounts are read exactly (numeric
// columns with high precision; SQLite REAL rounded to the fourth decimal).
//
// Parameters: a marker is ':' followed by a letter or '_' and then letters,
// digits or '_'; names are compared without regard to case and one name may
// appear several times. Markers inside quoted texts, quoted identifiers and
// comments are ignored, and so is PostgreSQL's "::" cast. Every marker must
// have a value before the query runs (a null QVariant binds NULL); a missing
// value or an unknown name is an EAssertion.
//
// Amounts (Currency) bind as decimal text with four decimals: exact into a
// PostgreSQL NUMERIC; SQLite converts the text into the column's numeric
// affinity (declare amount columns NUMERIC so that whole amounts stay
// integers and the others become the nearest REAL, read back exactly to the
// fourth decimal), and a TEXT column keeps the text unchanged.
//
// Reading: PostgreSQL NUMERIC arrives as text (high precision) and is parsed
// exactly; a SQLite REAL arrives as its shortest decimal text and is parsed,
// or, in exponent form, rounded from the double to the fourth decimal.
#pragma once

#include "foundation/text/Currency.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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
    // Any other statement. Runs the text as given when it has no markers, so
    // that DDL and transaction statements work on every engine.
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
    void run();
    void prepare();
    int fieldIndex(const QString& name) const;
    [[noreturn]] void fail(const QSqlError& error) const;

    Connection& m_connection;
    QString m_sql;
    QString m_positionalSql; // the text with every marker replaced by '?'
    QStringList m_markers;   // upper-case name of each marker, in order
    QVariantMap m_params;    // by upper-case name
    QSqlQuery m_query;
    QString m_preparedOn; // connection name the query was prepared on
    QSqlRecord m_record;
    bool m_open = false;
    bool m_hasRows = false;
    bool m_firstRowPending = false;
    int m_rowsAffected = -1;
};

// The amount of a column as an engine hands it back (a number, or the decimal
// text of a NUMERIC); a value that is no amount is a DatabaseError naming the
// column.
Currency columnAmount(const QVariant& value, const QString& column);

} // namespace cu
