// Values of a data set as the prints show them: the column's text, amounts
// in the Italian pattern "#,##0.00" ("." for thousands, "," for decimals),
// whole amounts "#,##0", dates by parts. A value that cannot be read as the
// number or date that a format needs is an error naming the value.
#pragma once

#include "foundation/text/Currency.h"

#include <QString>
#include <QVariant>

namespace cu {

class Dataset;

namespace printvalues {

// The text of a column of the current row as the prints take it
// (text::valueText, ValueTextForm::Print); the data set's error when the
// column does not exist.
QString columnText(const Dataset& dataset, const QString& column);

// The value read as an amount; EZfError "Valore non numerico" otherwise.
Currency requireNumber(const QVariant& value);

// "#,##0.00": 1234.5 -> "1.234,50".
QString amount(Currency value);
// "#,##0" of whole units: 1234 -> "1.234".
QString wholeAmount(Currency wholeUnits);

// The value read as a date (a date, "dd/mm/yyyy" or "yyyy-mm-dd");
// EZfError "Data non valida" otherwise.
QDate requireDate(const QVariant& value);

// Day, gap1 spaces, month, gap2 spaces, year of a "dd/mm/yyyy" text.
QString spacedDate(const QString& date, int gap1, int gap2);
// Day, gap spaces, month.
QString spacedDayMonth(const QString& date, int gap);

} // namespace printvalues
} // namespace cu
