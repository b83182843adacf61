// The calculation routines that the certificate builders and the section
// writers share: rounding of amounts, percentages, a floored difference and
// the count of the days for deductions of a position. Everything works on
// cu::Currency; no amount goes through floating point.
#pragma once

#include "foundation/text/Currency.h"

#include <QVector>
#include <functional>
#include <optional>

namespace cu {

// One month of the payroll registers of a position: the month number and the
// days that the payroll paid in it (30 for a full month).
struct MesePagato
{
    int mese = 0;
    int giorni = 0;
};

class Calcoli
{
public:
    // The most days a certificate may declare.
    static constexpr int MaxGiorni = 365;

    // Rounded half away from zero to 0 or 2 decimals (any of 0..4 accepted).
    static Currency RoundCurr(Currency amount, int decimals);
    // amount x percent / 100, held to the fourth decimal; the amount itself
    // when percent is exactly 100. The percent is a fixed-point value too.
    static Currency Percentuale(Currency amount, Currency percent);
    static Currency PercentualeArrotondata(int decimals, Currency amount, Currency percent);
    // a - b, or 0 when that is negative.
    static Currency DifferenzaNonNegativa(Currency a, Currency b);

    // The days of a month of the given year (28..31).
    static int giorniDelMese(int year, int month);

    // Gives the days that a position's calendar counts in a month, or nothing
    // when the calendar has no day for it.
    using CalendarioMese = std::function<std::optional<int>(int month)>;

    // Days for deductions: the paid days of every month, except that a month
    // paid as a full 30-day month that has not 30 calendar days counts what the
    // position's calendar gives for it, or the month's length; the absences are
    // taken away from a positive sum; the result lies within 0..365.
    static int giorniDetrazioni(const QVector<MesePagato>& months, int year, const CalendarioMese& calendar,
                                int absenceDays);
};

} // namespace cu
