// The texts of a column's value as the editor and the command line show and
// take them, by the column's type: amounts shown "#,##0.00" ("1.234,56", a
// zero blank) and edited "#.00" ("1234,56"), FCUDQUOTA2122 with three
// decimals ("0,500"), dates "dd/MM/yyyy", flags as their stored text.
// Reading a text back accepts the same forms (and "1234.56", ISO dates); a
// text that the column cannot hold is an EZfError naming the column.
#pragma once

#include <QString>
#include <QVariant>

namespace cu {

struct ColumnSchema;
struct TableSchema;

namespace columntext {

// The display text; empty for an empty value and for a zero amount.
QString display(const ColumnSchema& column, const QVariant& value);
// The text offered for editing: amounts without thousands separators.
QString edit(const ColumnSchema& column, const QVariant& value);

// The value to store for a typed text (null for an empty text):
// - amounts: "1234,56", "1234.56", "1.234,56"; at most four decimals;
// - integers: digits with an optional sign;
// - dates: "31/12/2024", "1/2/2024" or "2024-12-31";
// - flags: "0", "no", "n", "" unset; the column's set value, "1", "X",
//   "si", "s" set (written as the column's own set value);
// - texts: at most the column's size.
QVariant parse(const TableSchema& table, const ColumnSchema& column, const QString& text);

} // namespace columntext

} // namespace cu
