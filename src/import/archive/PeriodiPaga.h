// The pay periods of a position: the registers ordered by their start date,
// merged while they follow one another, each period with its taxable amount;
// a gap between two periods is an interruption of the relationship.
#pragma once

#include "foundation/text/Currency.h"

#include <QDate>
#include <QString>
#include <QVector>

namespace cu {

class ArchiveRows;
struct CudContext;

struct PeriodoPaga
{
    QDate dal;
    QDate al;
    Currency imponibile;
};

struct PeriodiPaga
{
    QVector<PeriodoPaga> periods;
    bool interruption = false;

    // Rows with DREGSDAL, DREGSAL and IMPONIBILE_IRPEF, in any order.
    static PeriodiPaga fromRows(const ArchiveRows& rows);
    // Reads QRY_CUD_PERIODI for the selection row's position and months.
    static PeriodiPaga read(CudContext& owner);
    // "dal:01/01/2024 al: 30/06/2024 per un importo di 1.234,56; ..." + "\r\n";
    // empty when there is no period.
    QString text() const;
};

} // namespace cu
