// Test helpers of the year objects: the two year tables of the payroll
// archive with a few rows.
#pragma once

#include <QDate>

namespace cu {
class Connection;
}

namespace cu::test {

// Creates TANF_ANNIFINANZ and TANS_ANNISCOLAST and inserts:
//   financial years 2019 (id 50), 2024 (id 55), 2025 (id 56): 1 January - 31 December;
//   school year id 7: 1 September 2023 - 31 August 2024.
void createYearTables(Connection& connection);

} // namespace cu::test
