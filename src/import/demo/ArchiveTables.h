// The prepared inserts of every payroll table that the demo archive fills
// row by row, with the next id of each table. Nothing of the written rows is
// kept: memory stays the same whatever the number of persons.
#pragma once

#include "import/demo/InsertWriter.h"

#include <QVector>

namespace cu::demo {

struct ArchiveTables
{
    explicit ArchiveTables(Connection& connection);

    InsertWriter persons;
    InsertWriter addresses;
    InsertWriter periods;
    InsertWriter positions;
    InsertWriter registers;
    InsertWriter withholdings;
    InsertWriter items;
    InsertWriter monthlyDeductions;
    InsertWriter adjustments;
    InsertWriter familyDeductions;
    InsertWriter familyMembers;
    InsertWriter noipa;
    InsertWriter fundAdhesions;
    InsertWriter calendar;

    // Next ids, from 1.
    qint64 personId = 1, addressId = 1, periodId = 1, positionId = 1, registerId = 1, withholdingId = 1,
           itemId = 1, monthlyDeductionId = 1, adjustmentId = 1, familyDeductionId = 1, familyMemberId = 1,
           noipaId = 1, fundAdhesionId = 1, calendarId = 1;

    // Writes the rows still gathered by every table.
    void flush();
    qint64 rowsWritten();

private:
    QVector<InsertWriter*> all();
};

} // namespace cu::demo
