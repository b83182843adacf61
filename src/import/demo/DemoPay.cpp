// Pay arithmetic of the demo archive.
#include "import/demo/DemoPay.h"

#include <algorithm>

namespace cu::demo {

namespace {

Currency cents(Currency amount)
{
    return amount.rounded(2);
}

Currency units(std::int64_t value)
{
    return Currency::fromUnits(value);
}

} // namespace

Currency DemoPay::percentOf(Currency amount, int rateHundredths)
{
    return cents(amount.mulDiv(rateHundredths, 10000));
}

Currency DemoPay::irpefGross(Currency yearlyTaxable)
{
    if (yearlyTaxable <= units(28000))
        return percentOf(yearlyTaxable, 2300);
    if (yearlyTaxable <= units(50000))
        return units(6440) + percentOf(yearlyTaxable - units(28000), 3500);
    return units(14140) + percentOf(yearlyTaxable - units(50000), 4300);
}

Currency DemoPay::employmentDeduction(Currency yearlyTaxable, int days, bool permanent)
{
    Currency full;
    if (yearlyTaxable <= units(15000))
        full = units(1955);
    else if (yearlyTaxable <= units(28000))
        full = units(1910) + units(1190).mulDiv((units(28000) - yearlyTaxable).raw(), units(13000).raw());
    else if (yearlyTaxable <= units(50000))
        full = units(1910).mulDiv((units(50000) - yearlyTaxable).raw(), units(22000).raw());
    if (yearlyTaxable > units(25000) && yearlyTaxable <= units(35000))
        full += units(65);
    Currency share = cents(full.mulDiv(std::clamp(days, 0, 365), 365));
    if (yearlyTaxable <= units(15000))
        share = std::max(share, units(permanent ? 690 : 1380));
    return share;
}

Currency DemoPay::monthlyShare(Currency yearly, int months, bool lastMonth)
{
    const Currency each = cents(yearly.mulDiv(1, months));
    return lastMonth ? yearly - each * (months - 1) : each;
}

} // namespace cu::demo
