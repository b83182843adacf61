// The amounts of a certificate as the telematic file and the prints carry
// them. Every amount column that fills a point of the form goes into an
// amount field of the file that admits positive values only, 16 characters
// with two decimals and a comma ("9999999999999,99"): such an amount may be
// neither negative nor wider than that. The limit is the one bound of what
// the import stores and what the file and the prints read; the tests hold
// it against the width of the file's amount fields.
#pragma once

#include "certificates/checks/CheckData.h"
#include "foundation/text/Currency.h"

namespace cu {

struct ColumnSchema;
struct TableSchema;

namespace amounts {

// Characters of the file's amount fields.
constexpr int FieldWidth = 16;
// The widest amount those fields hold: 9.999.999.999.999,99.
constexpr Currency Limit = Currency::fromRaw(99'999'999'999'999'900);

// An amount column with a point of the form.
bool isPositiveOnly(const ColumnSchema& column);
// Whether an amount lies beyond the limit, either way.
bool beyondLimit(Currency amount);

// The amounts of the current row: a negative value in a positive-only
// column gives " - Campo errato: importo negativo ...", a value beyond the
// limit " - Campo errato: importo ... oltre il limite ...".
QVector<FieldProblem> amountProblems(const Dataset& row, const TableSchema& table);

} // namespace amounts

} // namespace cu
