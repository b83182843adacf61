// Month boundaries.
#include "foundation/installation/HlmDate.h"

#include "foundation/operator/Errors.h"

namespace cu {

QDate HlmDate::FirstDayOfMonth(int year, int month)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        throw EAssertion(QStringLiteral("Mese non valido: %1/%2").arg(month).arg(year),
                         QStringLiteral("HlmUDate"));
    return first;
}

QDate HlmDate::LastDayOfMonth(int year, int month)
{
    const QDate first = FirstDayOfMonth(year, month);
    return QDate(year, month, first.daysInMonth());
}

} // namespace cu
