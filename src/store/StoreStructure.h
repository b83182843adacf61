// The structure of a virtual table in TCDS_STRUTTURA: its id, schema,
// person mapping and row counter, as valid for a working year and month
// (the latest year not after the working year).
#pragma once

#include "store/PersonMapping.h"

#include <QByteArray>
#include <QString>

namespace cu {

class Connection;

struct StoreStructure
{
    qint64 id = 0;
    QByteArray schema;            // bCdsSchema: the dataset's fields without rows
    bool personTable = false;     // lCdsAnagrafica
    bool mappingReadOnly = false; // lCdsFMapReadOnly
    PersonMapping mapping;        // sCdsFieldMap
    qint64 rowCounter = 0;        // iCdsRigo: the highest row number used

    // month -1 accepts every month. None: EZfError
    // "Impossibile trovare il ClientDataSet (%s)." with the table name.
    static StoreStructure find(Connection& connection, const QString& programme, const QString& tableName,
                               int year, int month);

    // Reads the row counter again and keeps it locked until the transaction
    // ends, so that two savers never take the same row numbers.
    void lockRowCounter(Connection& connection);
    // Stores the row counter.
    void saveRowCounter(Connection& connection) const;
};

} // namespace cu
