// Rounding, percentages and the days for deductions.
#include "import/builders/Calcoli.h"

#include "foundation/operator/Errors.h"

#include <QDate>
#include <algorithm>

namespace cu {

namespace {
constexpr int FullMonthDays = 30;
const Currency Hundred = Currency::fromUnits(100);
} // namespace

Currency Calcoli::RoundCurr(Currency amount, int decimals)
{
    if (decimals < 0 || decimals > 4)
        throw EAssertion(QStringLiteral("RoundCurr: decimali non ammessi (%1)").arg(decimals),
                         QStringLiteral("Calcoli"));
    return amount.rounded(decimals);
}

Currency Calcoli::Percentuale(Currency amount, Currency percent)
{
    if (percent == Hundred)
        return amount;
    return amount.mulDiv(percent.raw(), Hundred.raw());
}

Currency Calcoli::PercentualeArrotondata(int decimals, Currency amount, Currency percent)
{
    return RoundCurr(Percentuale(amount, percent), decimals);
}

Currency Calcoli::DifferenzaNonNegativa(Currency a, Currency b)
{
    const Currency difference = a - b;
    return difference < Currency() ? Currency() : difference;
}

int Calcoli::giorniDelMese(int year, int month)
{
    return QDate(year, month, 1).daysInMonth();
}

int Calcoli::giorniDetrazioni(const QVector<MesePagato>& months, int year, const CalendarioMese& calendar,
                              int absenceDays)
{
    int sum = 0;
    for (const MesePagato& month : months) {
        int days = month.giorni;
        // Arrears months beyond December have no calendar: they count as paid.
        const bool calendarMonth = month.mese >= 1 && month.mese <= 12;
        if (calendarMonth && days == FullMonthDays && giorniDelMese(year, month.mese) != FullMonthDays) {
            const std::optional<int> fromCalendar = calendar ? calendar(month.mese) : std::nullopt;
            days = fromCalendar.value_or(giorniDelMese(year, month.mese));
        }
        sum += days;
    }
    if (sum > 0)
        sum -= absenceDays;
    return std::clamp(sum, 0, MaxGiorni);
}

} // namespace cu
