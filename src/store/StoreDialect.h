// What the field-value store does differently on each database engine: how
// it obtains the one TCRF_CROFISCALE row of a programme, year and month
// (a stored function on PostgreSQL, the same contract in C++ on SQLite, which
// has no stored procedures). Locking reads come from the connection's Dialect.
#pragma once

#include <QString>
#include <memory>

namespace cu {

class Connection;

class StoreDialect
{
public:
    virtual ~StoreDialect() = default;

    // For the engine of the connection; the statements are prepared on it.
    static std::unique_ptr<StoreDialect> forConnection(Connection& connection);

    // The id of the one row of programme, year and month, created when
    // missing. A year or month below 1 counts as none (NULL). Two callers at
    // once get the same row.
    virtual qint64 crofiscaleId(const QString& programme, int year, int month) = 0;
};

} // namespace cu
