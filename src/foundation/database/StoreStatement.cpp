// Prepared statements of the field-value store.
#include "foundation/database/StoreStatement.h"

#include "foundation/database/Connection.h"
#include "foundation/database/StatementCache.h"
#include "foundation/operator/Errors.h"

#include <QSqlError>

namespace cu {

namespace {

QString databaseMessage(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

} // namespace

QVariant nullInteger()
{
    return QVariant(QMetaType::fromType<qlonglong>());
}

StoreStatement::StoreStatement(Connection& connection, QString sql)
    : m_connection(connection), m_sql(std::move(sql))
{
}

StoreStatement::~StoreStatement()
{
    if (m_prepared && m_connection.generation() == m_generation && m_connection.isConnected())
        m_connection.statementCache().giveBack(m_sql, std::move(m_query));
}

void StoreStatement::prepare()
{
    if (m_prepared)
        return;
    m_generation = m_connection.generation();
    if (std::optional<QSqlQuery> cached = m_connection.statementCache().take(m_sql)) {
        m_query = std::move(*cached);
        m_prepared = true;
        return;
    }
    m_query = QSqlQuery(m_connection.database());
    m_query.setForwardOnly(true);
    m_query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!m_query.prepare(m_sql))
        throw DatabaseError(databaseMessage(m_query.lastError()), m_sql);
    m_prepared = true;
}

void StoreStatement::run()
{
    if (m_query.exec())
        return;
    m_connection.requireReachable();
    throw DatabaseError(databaseMessage(m_query.lastError()), m_sql);
}

void StoreStatement::exec(std::initializer_list<QVariant> values)
{
    prepare();
    int position = 0;
    for (const QVariant& value : values)
        m_query.bindValue(position++, value);
    run();
}

void StoreStatement::exec(const QVector<QVariant>& values)
{
    prepare();
    for (int position = 0; position < values.size(); ++position)
        m_query.bindValue(position, values[position]);
    run();
}

QVariant StoreStatement::scalar(std::initializer_list<QVariant> values)
{
    exec(values);
    QVariant result = m_query.next() ? m_query.value(0) : QVariant();
    m_query.finish();
    return result;
}

} // namespace cu
