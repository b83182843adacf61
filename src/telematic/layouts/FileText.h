// The telematic file's own text rules: the pad marker that stands for a blank
// until a line is finished, and the conversion of a finished line to the
// file's bytes. Padding and trimming are the common text functions
// (foundation/text/TextFunctions.h).
#pragma once

#include <QByteArray>
#include <QString>

namespace cu::text {

// Left-aligned fields are filled with this marker; every finished line or
// field-list row turns it into a blank, so no grave accent reaches the file.
inline constexpr QChar PadMarker = u'`';

// Every pad marker replaced by a blank.
QString unmarked(QString text);
// The text as the file's Latin-1 bytes, one byte per character: a character
// that Latin-1 lacks is written as its nearest Latin-1 form (’ as ', Ș as S);
// one without such a form is refused (EZfError naming it and the text), never
// written as "?".
QByteArray fileBytes(const QString& text);

} // namespace cu::text
