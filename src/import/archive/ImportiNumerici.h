// The amounts of a position that the import sums in the archive's own
// statements must be numbers: SQLite keeps any text written into a numeric
// column, and a sum would read "abc" as 0 and "12,3,4" as 12 without a word.
#pragma once

#include <QtGlobal>

namespace cu {

class PayrollArchive;

// An EZfError naming the table, the column and the value of the first
// amount of the position that holds no number.
void richiediImportiNumerici(PayrollArchive& archive, qint64 iacomId);

} // namespace cu
