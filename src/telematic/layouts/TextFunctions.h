// The framework's text functions used by the telematic writer: padding,
// zero-filling and trimming, with the pad marker that stands for a blank
// until a line is finished.
#pragma once

#include <QByteArray>
#include <QString>

namespace cu::text {

// Left-aligned fields are filled with this marker; every finished line or
// field-list row turns it into a blank, so no grave accent reaches the file.
inline constexpr QChar PadMarker = u'`';

// Left-fills text with fill to length. A longer text is returned unchanged:
// a number is never cut (the line checks then reveal the overflow).
QString padL(const QString& text, QChar fill, int length);
// Right-fills text with fill to length; a longer text is cut to length.
QString padR(const QString& text, QChar fill, int length);
// The trimmed text left-filled with "0" to length.
QString strZero(const QString& text, int length);
// Removes blanks and control characters at both ends.
QString trim(const QString& text);
// Removes blanks and control characters at the end.
QString trimRight(const QString& text);
// Every pad marker replaced by a blank.
QString unmarked(QString text);
// The text as the file's Latin-1 bytes, one byte per character: a character
// that Latin-1 lacks is written as its nearest Latin-1 form (’ as ', Ș as S);
// one without such a form is refused (EZfError naming it and the text), never
// written as "?".
QByteArray fileBytes(const QString& text);

} // namespace cu::text
