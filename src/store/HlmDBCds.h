// The field-value store: opens a virtual table (kept as one database row per
// non-empty value) into an in-memory dataset and writes the dataset's changes
// back inside one transaction.
#pragma once

#include <QString>
#include <memory>

namespace cu {

class BusyIndicator;
class Connection;
class Dataset;

class HlmDBCds
{
public:
    explicit HlmDBCds(Connection& connection);
    ~HlmDBCds();

    void setProgramme(const QString& programme); // "eli"
    void setYear(int year);                      // the working financial year
    void setMonth(int month);                    // -1 = all months
    const QString& programme() const;
    int year() const;
    int month() const;
    // The connection the store reads and writes through (for a transaction
    // that spans several saves).
    Connection& connection() const;

    // Opens tableName into dataset: person -1 = all persons, month -1 = all
    // months. Unknown table: "Impossibile trovare il ClientDataSet (%s).".
    void open(Dataset& dataset, const QString& tableName);
    void open(Dataset& dataset, const QString& tableName, int person, int month, int year);

    // Applies the dataset's change log for the month and year; on any error
    // the whole save is rolled back, the dataset's pending changes cancelled
    // and a DatabaseError raised with the database's message.
    void save(Dataset& dataset, const QString& tableName);
    void save(Dataset& dataset, const QString& tableName, int month, int year);

    // The wait flag (on at creation): whether open and save show the busy
    // indicator. The certificate editor turns it off around loads of many
    // small tables. Without an indicator (the default) nothing is shown.
    void setBusyIndicator(BusyIndicator* indicator);
    void setShowWait(bool on);
    void showWait();
    void closeWait();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace cu
