// The framework's text functions, as the fixed-width telematic writer and the
// rest of the program use them.
//
// Width: PadL, PadR and StrZero always return exactly `length` characters, so
// that a fixed-width line never shifts. A text longer than the width is cut
// on the side away from its alignment: PadR (left-aligned) keeps the leftmost
// characters, PadL and StrZero (right-aligned) keep the rightmost ones. A cut
// number is a wrong number: a caller that writes amounts or codes checks the
// width first (FitsWidth) and reports the value instead of cutting it.
// A length of zero or less gives the empty text.
//
// Blanks: Trim removes trailing blanks only and AllTrim removes them at both
// ends; a blank is any character not above the space (space, tab, line
// breaks, other control characters).
#pragma once

#include <QString>

namespace cu {

// Fills on the left with fill up to length (right alignment).
QString PadL(const QString& text, QChar fill, int length);
// Fills on the right with fill up to length (left alignment).
QString PadR(const QString& text, QChar fill, int length);
// A number text (trimmed at both ends first) filled with "0" on the left to
// length characters; a leading sign stays in front of the zeros ("-42", 5
// gives "-0042"); an empty text gives length zeros.
QString StrZero(const QString& text, int length);
// True when text is not longer than length characters.
bool FitsWidth(const QString& text, int length);

QString Trim(const QString& text);
QString AllTrim(const QString& text);
// The first (last) count characters; the whole text when shorter, the empty
// text for a count of zero or less.
QString Left(const QString& text, int count);
QString Right(const QString& text, int count);
// True for a decimal number after AllTrim: an optional sign, digits, at most
// one decimal separator ("." or ","), at least one digit. "12", "-3,50",
// ".5" are numbers; "", "1e3", "1.2.3", "12 3", "+" are not.
bool IsNumeric(const QString& text);

// The character itself when Latin-1 holds it; otherwise its nearest Latin-1
// form, one character for one so that fixed widths stay: typographic quotes,
// dashes and spaces become the plain ones (’ → '), a letter with a mark that
// Latin-1 lacks becomes the bare letter (Ș → S). A null QChar when there is
// none (for example a Chinese ideogram).
QChar Latin1Equivalent(QChar c);

} // namespace cu
