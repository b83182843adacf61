// The form a value of the telematic file must have, by the format code of
// its layout field: text left-aligned, numbers, dates, boxes, month strings
// and amounts right-aligned in their width, amounts with a comma and two
// decimals, no zero where the file leaves zeros out. Used by the verifier
// to name what a value should have been.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace cu {

struct LayoutField;

// The form expected of a coded value (16 characters after its code), in
// Italian ("importo ... allineato a destra"); empty when the value has it.
// continuation: the value continues the text of the same code before it.
QString codedValueDefect(const QString& format, QByteArrayView value, bool continuation);

// The same for a positional field, which is written blank, zero-filled or
// as its layout's constant when it has no value.
QString positionalValueDefect(const LayoutField& field, QByteArrayView value);

// Where a text holds a character the file may not carry (anything but
// blanks and printable ASCII, and lower-case letters): its 0-based position,
// or -1 when there is none.
qsizetype firstUnwritablePosition(QByteArrayView text);

} // namespace cu
