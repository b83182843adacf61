// Reuse of prepared statements.
#include "foundation/database/StatementCache.h"

namespace cu {

std::optional<QSqlQuery> StatementCache::take(const QString& sql)
{
    const auto found = m_free.find(sql);
    if (found == m_free.end())
        return std::nullopt;
    QSqlQuery query = std::move(found.value());
    m_free.erase(found);
    return query;
}

void StatementCache::giveBack(const QString& sql, QSqlQuery query)
{
    if (m_free.size() >= Capacity)
        return;
    query.finish();
    m_free.insert(sql, std::move(query));
}

void StatementCache::clear()
{
    m_free.clear();
}

} // namespace cu
