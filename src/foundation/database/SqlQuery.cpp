// Queries with named parameters over a connection, and exact reading of
// amounts and dates whatever the engine hands back.
#include "foundation/database/SqlQuery.h"

#include "foundation/database/Connection.h"
#include "foundation/operator/Errors.h"

#include <QSqlDriver>

namespace cu {

namespace {

const QString Unit = QStringLiteral("SqlQuery");

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}
bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Index just past a quoted run that starts at i with the quote character;
// a doubled quote inside stands for itself.
qsizetype skipQuoted(const QString& sql, qsizetype i)
{
    const QChar quote = sql[i];
    for (++i; i < sql.size(); ++i) {
        if (sql[i] != quote)
            continue;
        if (i + 1 < sql.size() && sql[i + 1] == quote)
            ++i;
        else
            return i + 1;
    }
    return sql.size();
}

qsizetype skipComment(const QString& sql, qsizetype i)
{
    if (sql[i] == u'-') {
        const qsizetype end = sql.indexOf(u'\n', i);
        return end < 0 ? sql.size() : end;
    }
    const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
    return end < 0 ? sql.size() : end + 2;
}

bool startsComment(const QString& sql, qsizetype i)
{
    if (i + 1 >= sql.size())
        return false;
    return (sql[i] == u'-' && sql[i + 1] == u'-') || (sql[i] == u'/' && sql[i + 1] == u'*');
}

// Replaces every :NAME marker by '?' and lists the marker names in order;
// comments become blanks.
void parseMarkers(const QString& sql, QString& positional, QStringList& markers)
{
    positional.clear();
    markers.clear();
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype next = i + 1;
        if (c == u'\'' || c == u'"') {
            next = skipQuoted(sql, i);
        } else if (startsComment(sql, i)) {
            // Left out: the driver would take a marker-like word inside a
            // comment for a parameter.
            i = skipComment(sql, i);
            positional += u' ';
            continue;
        } else if (c == u':' && i + 1 < sql.size() && sql[i + 1] == u':') {
            next = i + 2;
        } else if (c == u':' && i + 1 < sql.size() && isNameStart(sql[i + 1])) {
            qsizetype end = i + 2;
            while (end < sql.size() && isNameChar(sql[end]))
                ++end;
            markers.append(sql.mid(i + 1, end - i - 1).toUpper());
            positional += u'?';
            i = end;
            continue;
        }
        positional += QStringView(sql).mid(i, next - i);
        i = next;
    }
}

QVariant bindable(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString(4);
    return value;
}

} // namespace

SqlQuery::SqlQuery(Connection& connection) : m_connection(connection) {}

void SqlQuery::setSql(const QString& sql)
{
    close();
    m_sql = sql;
    parseMarkers(m_sql, m_positionalSql, m_markers);
    m_params.clear();
    m_preparedOn.clear();
}

const QString& SqlQuery::sql() const
{
    return m_sql;
}

QStringList SqlQuery::parameterNames() const
{
    QStringList names;
    for (const QString& marker : m_markers) {
        if (!names.contains(marker))
            names.append(marker);
    }
    return names;
}

void SqlQuery::setParam(const QString& name, const QVariant& value)
{
    const QString key = name.toUpper();
    if (!m_markers.contains(key))
        throw EAssertion(QStringLiteral("Parametro %1 inesistente nella query: %2").arg(name, m_sql), Unit);
    m_params.insert(key, value);
}

void SqlQuery::setParam(const QString& name, const Currency& value)
{
    setParam(name, QVariant::fromValue(value));
}

void SqlQuery::clearParams()
{
    m_params.clear();
}

void SqlQuery::prepare()
{
    const QString connectionName = m_connection.database().connectionName();
    if (m_preparedOn == connectionName && !connectionName.isEmpty())
        return;
    if (!m_connection.isConnected())
        throw DatabaseError(QStringLiteral("Connessione al database non aperta."), m_sql);
    m_query = QSqlQuery(m_connection.database());
    m_query.setForwardOnly(true);
    m_query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!m_markers.isEmpty() && !m_query.prepare(m_positionalSql))
        fail(m_query.lastError());
    m_preparedOn = connectionName;
}

void SqlQuery::run()
{
    close();
    prepare();
    bool ok = false;
    if (m_markers.isEmpty()) {
        ok = m_query.exec(m_sql);
    } else {
        for (int i = 0; i < m_markers.size(); ++i) {
            const auto value = m_params.constFind(m_markers[i]);
            if (value == m_params.constEnd())
                throw EAssertion(
                    QStringLiteral("Parametro %1 senza valore nella query: %2").arg(m_markers[i], m_sql),
                    Unit);
            m_query.bindValue(i, bindable(*value));
        }
        ok = m_query.exec();
    }
    if (!ok)
        fail(m_query.lastError());
    m_rowsAffected = m_query.numRowsAffected();
}

void SqlQuery::open()
{
    run();
    m_record = m_query.record();
    m_open = true;
    m_hasRows = m_query.next();
    if (!m_hasRows && m_query.lastError().isValid())
        fail(m_query.lastError());
    m_firstRowPending = m_hasRows;
}

void SqlQuery::execute()
{
    run();
    // Ends the statement at once: SQLite refuses to commit while a write
    // statement is still in progress.
    m_query.finish();
}

bool SqlQuery::next()
{
    if (!m_open)
        return false;
    if (m_firstRowPending) {
        m_firstRowPending = false;
        return true;
    }
    if (m_query.next())
        return true;
    if (m_query.lastError().isValid())
        fail(m_query.lastError());
    return false;
}

bool SqlQuery::isOpen() const
{
    return m_open;
}

void SqlQuery::close()
{
    if (m_open || m_query.isActive())
        m_query.finish();
    m_open = false;
    m_hasRows = false;
    m_firstRowPending = false;
    m_record = QSqlRecord();
}

bool SqlQuery::isEmpty()
{
    return !m_hasRows;
}

bool SqlQuery::hasField(const QString& name) const
{
    return m_record.indexOf(name) >= 0;
}

int SqlQuery::fieldIndex(const QString& name) const
{
    const int index = m_record.indexOf(name);
    if (index < 0)
        throw EAssertion(
            QStringLiteral("Campo %1 inesistente nel risultato della query: %2").arg(name, m_sql), Unit);
    return index;
}

QVariant SqlQuery::value(const QString& name) const
{
    return m_query.value(fieldIndex(name));
}

QString SqlQuery::asString(const QString& name) const
{
    return value(name).toString();
}

qint64 SqlQuery::asInteger(const QString& name) const
{
    const QVariant v = value(name);
    if (v.isNull())
        return 0;
    bool ok = false;
    const qint64 whole = v.toLongLong(&ok);
    if (ok)
        return whole;
    // A NUMERIC text with decimals ("12.0000"): its whole part.
    return columnAmount(v.toString(), name).units();
}

Currency SqlQuery::asCurrency(const QString& name) const
{
    const QVariant v = value(name);
    if (v.isNull())
        return Currency();
    return columnAmount(v, name);
}

QDate SqlQuery::asDate(const QString& name) const
{
    const QVariant v = value(name);
    if (v.isNull())
        return QDate();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString text = v.toString().trimmed();
    if (text.isEmpty())
        return QDate();
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        throw DatabaseError(
            QStringLiteral("Il campo %1 contiene \"%2\", che non è una data.").arg(name, text));
    return date;
}

int SqlQuery::numRowsAffected() const
{
    return m_rowsAffected;
}

void SqlQuery::fail(const QSqlError& error) const
{
    m_connection.requireReachable();
    const QString text = error.databaseText().trimmed();
    throw DatabaseError(text.isEmpty() ? error.text().trimmed() : text, m_sql);
}

Currency columnAmount(const QVariant& value, const QString& column)
{
    const std::optional<Currency> amount = Currency::fromVariant(value, Currency::TextRule::DecimalOrFloat);
    if (!amount)
        throw DatabaseError(QStringLiteral("Il campo %1 contiene \"%2\", che non è un importo.")
                                .arg(column, value.toString()));
    return *amount;
}

} // namespace cu
