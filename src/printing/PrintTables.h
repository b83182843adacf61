// Where the prints read their tables and write the printed marks back: the
// field-value store for the program, or any other source (tests, tools).
#pragma once

#include <QString>

namespace cu {

class Connection;
class Dataset;
class HlmDBCds;

class PrintTables
{
public:
    virtual ~PrintTables() = default;
    // Opens a whole table (every person, every month) into the data set.
    virtual void open(Dataset& dataset, const QString& tableName) = 0;
    // Writes the data set's changes for the month (-1 when it has none).
    virtual void save(Dataset& dataset, const QString& tableName, int month) = 0;
    // The database the tables live in (for the jobs' lock, a read snapshot
    // and one transaction over several saves); null for a source without one.
    virtual Connection* connection() { return nullptr; }
};

// The tables of the field-value store for a financial year.
class StorePrintTables : public PrintTables
{
public:
    StorePrintTables(HlmDBCds& store, int year) : m_store(store), m_year(year) {}
    void open(Dataset& dataset, const QString& tableName) override;
    void save(Dataset& dataset, const QString& tableName, int month) override;
    Connection* connection() override;

private:
    HlmDBCds& m_store;
    int m_year;
};

// The store's month of a certificate: "06" -> 6, empty -> -1, "00" -> 0.
int certificateMonth(const QString& scudMese);

} // namespace cu
