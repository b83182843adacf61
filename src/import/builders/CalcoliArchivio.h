// The calculations that read the payroll archive: the INPS amounts of a
// position's registers, the absence days and the days for deductions.
#pragma once

#include "foundation/text/Currency.h"

#include <QString>

namespace cu {

class PayrollArchive;

struct PeriodoPosizione
{
    qint64 iacomId = 0;
    int meseIniziale = 1;
    int meseFinale = 12;
    QString clausola; // the legal-position clause
};

class CalcoliArchivio
{
public:
    // "TOTALE" of the accessory registers for a withholding code (query
    // QRY_CUD_INPS_IMP_ACC unless another is named; clause appended).
    static Currency inpsAccessori(PayrollArchive& archive, const PeriodoPosizione& period, int iriceId,
                                  qint64 ivarmrirpId,
                                  const QString& query = QStringLiteral("QRY_CUD_INPS_IMP_ACC"));
    // "TOTALE" of the basic registers (QRY_CUD_INPS_IMP_FOND unless another).
    static Currency inpsFondamentali(PayrollArchive& archive, const PeriodoPosizione& period, int iriceId,
                                     qint64 icosId,
                                     const QString& query = QStringLiteral("QRY_CUD_INPS_IMP_FOND"));
    // "ASSENZE" of QRY_CUD_ASSENZE (clause substituted into the text).
    static int giorniAssenza(PayrollArchive& archive, const PeriodoPosizione& period);
    // Days for deductions of the position in the period (0..365).
    static int giorniDetrazioni(PayrollArchive& archive, const PeriodoPosizione& period, int year);
};

} // namespace cu
