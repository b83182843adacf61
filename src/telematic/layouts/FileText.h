// The characters of the telematic file: the agency reads upper-case
// printable ASCII only. Every value is turned into that form before it is
// formatted: letters in upper case, a vowel with a grave or acute accent as
// the plain vowel followed by an apostrophe (NICCOLÒ -> NICCOLO'), any other
// letter as its nearest plain form (Ș -> S, ß -> SS, Ø -> O), typographic
// quotes, dashes and spaces as their ASCII form. A character without such a
// form is refused, never dropped or written as "?"; so is a control
// character (line feed, tab ...), which would break the file's lines.
//
// Left-aligned fields are filled with a pad marker that stands for a blank
// until a line is finished. Padding and trimming are the common text
// functions (foundation/text/TextFunctions.h).
#pragma once

#include "foundation/operator/Errors.h"

#include <QByteArray>
#include <QString>

namespace cu::text {

// Left-aligned fields are filled with this marker; every finished line or
// field-list row turns it into a blank, so no grave accent reaches the file.
inline constexpr QChar PadMarker = u'`';

// Every pad marker replaced by a blank.
QString unmarked(QString text);

// A character that the file cannot carry, with the text it was found in.
class UnwritableCharacter : public EZfError
{
public:
    UnwritableCharacter(QChar character, const QString& text);
    QChar character() const { return m_character; }

private:
    QChar m_character;
};

// The text in the file's form; UnwritableCharacter for a character that has
// none.
QString fileText(const QString& text);

// True when every character is printable ASCII (blank to "~") and no letter
// is lower case.
bool isFileText(QStringView text);

// The bytes of a text already in the file's form (the pad marker included);
// any other character is an UnwritableCharacter naming it.
QByteArray fileBytes(const QString& text);

} // namespace cu::text
