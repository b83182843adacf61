// The value that sets a flag of the certificate tables: "1" for the state
// flags of the certificate (LCUDANNULLAMENTO, LCUDSOSTITUZIONE,
// LCUDCONFERMADICH), the family flags, SINA7PERSVIAGG and the flags of the
// agent, other agents, CT form and supplier tables; "X" for every other
// flag. Unset is "0" everywhere. A window's check box and the command line
// both write what these functions give.
#pragma once

#include <QString>

namespace cu {

struct ColumnSchema;
struct TableSchema;

QString flagSetValue(const TableSchema& table, const ColumnSchema& column);
inline const QString FlagUnset = QStringLiteral("0");

// Whether a stored value shows the flag as set: only the set value does
// ("X" in a flag set with "1" is shown unticked).
bool isFlagSet(const TableSchema& table, const ColumnSchema& column, const QString& value);

} // namespace cu
