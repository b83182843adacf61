// The program's one set of text functions: padding to a fixed width,
// zero-filling, trimming, and the nearest Latin-1 form of a character. The
// fixed-width telematic writer and the prints use them; they stand for the
// framework's PadL, PadR, StrZero, AllTrim and Trim.
//
// Width: a pad function says by its Overflow argument what happens to a text
// longer than the width. Cut keeps exactly `length` characters, dropping
// those on the side away from the alignment (padRight keeps the leftmost,
// padLeft the rightmost); Keep returns the text whole, because a cut number
// is a wrong number and the line checks then reveal the overflow.
//
// Blanks: a blank is any character not above the space (space, tab, line
// breaks, other control characters).
#pragma once

#include <QString>

namespace cu::text {

// What a pad function does with a text longer than the width.
enum class Overflow
{
    Cut,  // exactly `length` characters (none for a length of zero or less)
    Keep, // the text whole
};

// Fills text on the left with fill up to length (right alignment).
QString padLeft(const QString& text, QChar fill, int length, Overflow overflow);
// Fills text on the right with fill up to length (left alignment).
QString padRight(const QString& text, QChar fill, int length, Overflow overflow);
// The text trimmed at both ends and filled on the left with "0" up to length;
// a longer number is kept whole, an empty text gives length zeros.
QString zeroPadLeft(const QString& text, int length);

// The text without blanks at either end.
QString trimBoth(const QString& text);
// The text without blanks at its end; leading blanks stay.
QString trimEnd(const QString& text);

// Whether the character is a control character: below the space (tab, line
// breaks, ...) or DEL.
bool isControl(QChar c);
// Whether line breaks (CR, LF) count as control characters: in a text made
// of lines by the program itself they are its structure.
enum class LineBreaks
{
    Control,
    Keep,
};
bool hasControlCharacters(QStringView text, LineBreaks lineBreaks = LineBreaks::Control);
// The text with every control character replaced by a space, runs of spaces
// collapsed into one and both ends trimmed; a text without control
// characters is returned as it is.
QString withoutControlCharacters(const QString& text, LineBreaks lineBreaks = LineBreaks::Control);

// The character itself when Latin-1 holds it; otherwise its nearest Latin-1
// form, one character for one so that fixed widths stay: typographic quotes,
// dashes and spaces become the plain ones (’ → '), a letter with a mark that
// Latin-1 lacks becomes the bare letter (Ș → S). A null QChar when there is
// none (for example a Chinese ideogram).
QChar latin1Equivalent(QChar c);

} // namespace cu::text
