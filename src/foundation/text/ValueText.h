// The one conversion of a stored value to the text a fixed form takes: the
// telematic file's fields and the printed models read amounts, dates and
// flags alike and differ only in the decimal separator and in how an empty
// date is written, which the form names.
#pragma once

#include <QString>
#include <QVariant>

namespace cu::text {

enum class ValueTextForm
{
    FileField, // amounts with "." ("1234.5"); an empty date is the file's zero date "0.00.00"
    Print,     // amounts with "," ("1234,5"); an empty date prints nothing
};

// Null gives the empty text; an amount (or a floating-point number) its
// decimals without trailing zeros; a date "dd/MM/yyyy"; a flag "1" or "0";
// anything else its own text.
QString valueText(const QVariant& value, ValueTextForm form);

} // namespace cu::text
