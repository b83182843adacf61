// Prepared statements of one connection kept for reuse, so that a statement
// run for every row of every save is prepared once per connection rather
// than once per save. A query is taken out while in use (two users never
// share one) and given back when its user is done with it.
#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <optional>

namespace cu {

class StatementCache
{
public:
    // A prepared query for the text, if one is free.
    std::optional<QSqlQuery> take(const QString& sql);
    // Keeps the query for the next user of the same text; beyond the
    // capacity it is simply released.
    void giveBack(const QString& sql, QSqlQuery query);
    void clear();

private:
    static constexpr int Capacity = 256;
    QMultiHash<QString, QSqlQuery> m_free;
};

} // namespace cu
