// Month boundaries of the payroll calendar.
#pragma once

#include <QDate>

namespace cu {

class HlmDate
{
public:
    // year-month-01. A month outside 1..12 is a programming error (EAssertion).
    static QDate FirstDayOfMonth(int year, int month);
    // The month's last day, leap years included.
    static QDate LastDayOfMonth(int year, int month);
};

// 1 <= month <= 12.
constexpr bool IsValidMonth(int month)
{
    return month >= 1 && month <= 12;
}

} // namespace cu
