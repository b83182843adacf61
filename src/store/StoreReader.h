// Reads the values of one virtual table (a programme, year and month or all
// months, one person or all) with one query ordered by row number, and
// pivots them into dataset rows in one pass.
#pragma once

#include <QString>

namespace cu {

class Connection;
class Dataset;
struct StoreStructure;

struct StoreScope
{
    QString programme;
    int year = 0;
    int month = -1;     // -1: every month
    qint64 person = -1; // -1: every person
};

// Appends one row per stored row number to dataset (whose fields are already
// those of the structure): iAfiID and iFisRigo, the mapped person columns and
// every stored value whose field name the dataset has.
void readStoreRows(Connection& connection, const StoreStructure& structure, const StoreScope& scope,
                   Dataset& dataset);

// The statement text of the read, for every person or for one (one more
// parameter, the person), also used to measure it bare.
QString storeRowsSql(bool onePerson);

} // namespace cu
