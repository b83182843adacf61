// The years the program works with, in one place: the income year that the
// certificate covers, which is also the working financial year when none was
// chosen, and the financial years an operator may choose.
#pragma once

namespace cu {

struct WorkingYear
{
    static constexpr int Income = 2024;
    static constexpr int Default = Income;
    static constexpr int Earliest = Income;
    static constexpr int Latest = Income + 1;

    static constexpr bool isChoosable(int year) { return year >= Earliest && year <= Latest; }
};

} // namespace cu
