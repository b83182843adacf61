// The pay arithmetic of the demo archive: contributions at a rate, the
// IRPEF of 2024 by brackets and the 2024 deduction for employment income.
// Exact amounts throughout (cu::Currency); rates are in hundredths of a per
// cent (880 = 8.80 %).
#pragma once

#include "foundation/text/Currency.h"

namespace cu::demo {

class DemoPay
{
public:
    // amount × rate / 10000, rounded half away from zero to the cent.
    static Currency percentOf(Currency amount, int rateHundredths);
    // Gross IRPEF of a yearly taxable income (23 % to 28,000, 35 % to
    // 50,000, 43 % above), to the cent.
    static Currency irpefGross(Currency yearlyTaxable);
    // Deduction for employment income of a yearly income, for the days of
    // work in the year (365 = whole year), with the minimum of a permanent
    // (690) or fixed-term (1,380) relationship; to the cent.
    static Currency employmentDeduction(Currency yearlyTaxable, int days, bool permanent);
    // A yearly amount spread over months; the last month takes the rest so
    // that the months add up exactly.
    static Currency monthlyShare(Currency yearly, int months, bool lastMonth);
};

} // namespace cu::demo
