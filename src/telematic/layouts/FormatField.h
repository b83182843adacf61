// Formats one field of the telematic file to its width by the layout's
// format code (AN, CF, NU, DT, CB, ...). Left-aligned text is filled with
// the pad marker, which the line builders later turn into blanks.
#pragma once

#include <QString>

namespace cu {

// value: the field's value as text; width: the layout's Width; format: the
// layout's Format; info: the layout's Info (only "CN" looks at it).
// Besides the codes of the fixed-width writer, "VP" (and "VN", an amount
// that may be negative) writes an amount with two decimals and a comma
// ("1234,50"), right-aligned and blank-filled; a zero or empty amount gives
// blanks. A value that is not an amount is an EZfError naming it. "PN" (the
// province of birth) is written as "PR".
QString FormatField(const QString& value, int width, const QString& format, const QString& info);

} // namespace cu
