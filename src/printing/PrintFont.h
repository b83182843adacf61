// The text font of every print: Liberation Sans, metric-compatible with
// Helvetica (the font the layouts were measured for), so every value keeps
// its place in its box. Each PDF embeds the subset of the glyphs it uses.
// The font covers Latin-1, Latin Extended, the euro sign and the
// typographic quotes; a character it has no glyph for is refused naming
// where it was found, never printed as "?" or left out.
#pragma once

#include "foundation/operator/Errors.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace cu {

class Dataset;

namespace printfont {

// The Debian paths the font is looked for at, in order.
const QStringList& searchPaths();
// The first existing file of the candidates; an EZfError naming the font and
// the package to install when there is none.
QString locate(const QStringList& candidates);
// The font file of the prints (located once).
const QString& path();

// True when the font has a glyph for the character.
bool canDraw(char32_t code);
// The first character of the text the font has no glyph for; 0 when none.
char32_t firstUndrawable(const QString& text);

// "percipiente ROSSI MARIO (RSSMRA80A01H501U)" from a certificate row.
QString personOf(const Dataset& certificate);

} // namespace printfont

// A character of a text to print that the font cannot draw, with the text
// and, once known, the field and the person it belongs to.
class UndrawableCharacter : public EZfError
{
public:
    UndrawableCharacter(char32_t character, QString text, QString field = {}, QString person = {});
    // The same refusal naming the field or the person (kept when already named).
    UndrawableCharacter inField(const QString& field) const;
    UndrawableCharacter ofPerson(const QString& person) const;

private:
    char32_t m_character;
    QString m_text;
    QString m_field;
    QString m_person;
};

namespace printfont {

// UndrawableCharacter for the first character of text the font cannot draw.
void requireDrawable(const QString& text);
// The same for every text column of the rows of the list (certificates),
// naming the column and the person.
void requireDrawableRows(Dataset& list, const QVector<int>& rows);

} // namespace printfont

} // namespace cu
