// Upper-case printable ASCII for the telematic file, and the pad marker.
#include "telematic/layouts/FileText.h"

#include "foundation/text/TextFunctions.h"

#include <QStringList>

namespace cu::text {

namespace {

bool isPrintableAscii(char16_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

QString codePoint(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}

// The plain vowel of a vowel with a grave or acute accent; a null QChar
// for any other character.
QChar accentedVowel(QChar c)
{
    static const QString accented = QStringLiteral("ÀÁÈÉÌÍÒÓÙÚàáèéìíòóùú");
    static const QString plain = QStringLiteral("AAEEIIOOUUAAEEIIOOUU");
    const qsizetype i = accented.indexOf(c);
    return i < 0 ? QChar() : plain[i];
}

// Letters whose plain form is not their decomposition.
QString undecomposedLetter(QChar c)
{
    static const QString letters = QStringLiteral("ßÆæŒœØøŁłĐđÐðĦħıÞþŦŧ");
    static const QStringList plain{
        QStringLiteral("SS"), QStringLiteral("AE"), QStringLiteral("AE"), QStringLiteral("OE"),
        QStringLiteral("OE"), QStringLiteral("O"),  QStringLiteral("O"),  QStringLiteral("L"),
        QStringLiteral("L"),  QStringLiteral("D"),  QStringLiteral("D"),  QStringLiteral("D"),
        QStringLiteral("D"),  QStringLiteral("H"),  QStringLiteral("H"),  QStringLiteral("I"),
        QStringLiteral("TH"), QStringLiteral("TH"), QStringLiteral("T"),  QStringLiteral("T")};
    const qsizetype i = letters.indexOf(c);
    return i < 0 ? QString() : plain[i];
}

// Quotes, dashes and spaces of typography; a null QChar for anything else. Beyond Latin-1 they are the common
// nearest forms (’ “ – and the typographic spaces).
QChar typographic(QChar c)
{
    switch (c.unicode()) {
    case 0x00B4:
        return u'\'';
    case 0x00AB:
    case 0x00BB:
        return u'"';
    case 0x00A0:
        return u' ';
    default:
        break;
    }
    const QChar plain = latin1Equivalent(c);
    return c.unicode() > 0xFF && !plain.isNull() && !plain.isLetterOrNumber() ? plain : QChar();
}

// The plain form of one character that is not printable ASCII; empty when
// it has none.
QString plainForm(QChar c)
{
    if (const QChar vowel = accentedVowel(c); !vowel.isNull())
        return QString(vowel) + u'\'';
    if (const QString letter = undecomposedLetter(c); !letter.isEmpty())
        return letter;
    if (const QChar mark = typographic(c); !mark.isNull())
        return QString(mark);
    const QString decomposed = c.decomposition();
    if (decomposed.isEmpty() || !decomposed[0].isLetterOrNumber())
        return QString();
    QString plain;
    for (QChar part : decomposed) {
        if (isPrintableAscii(part.unicode()))
            plain += part;
        else if (part.isLetterOrNumber())
            plain += plainForm(part);
    }
    return plain;
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// The text as a message quotes it: its control characters as their code
// point, so that the message keeps to one line.
QString quotable(const QString& text)
{
    QString quoted;
    for (QChar c : text.trimmed())
        quoted += isControl(c) ? u'[' + codePoint(c) + u']' : QString(c);
    return quoted;
}

QString unwritableMessage(QChar character, const QString& text)
{
    if (isControl(character))
        return QStringLiteral(
                   "Carattere non ammesso nel file telematico: carattere di controllo %1 in \"%2\"")
            .arg(codePoint(character), quotable(text));
    return QStringLiteral("Carattere non ammesso nel file telematico: \"%1\" (%2) in \"%3\"")
        .arg(character, codePoint(character), quotable(text));
}

} // namespace

UnwritableCharacter::UnwritableCharacter(QChar character, const QString& text)
    : EZfError(unwritableMessage(character, text)), m_character(character)
{
}

QString unmarked(QString text)
{
    text.replace(PadMarker, u' ');
    return text;
}

QString fileText(const QString& text)
{
    if (isFileText(text))
        return text;
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString converted;
    converted.reserve(composed.size() + 4);
    for (QChar c : composed) {
        if (isPrintableAscii(c.unicode())) {
            converted += c.toUpper();
            continue;
        }
        const QString plain = plainForm(c);
        if (plain.isEmpty())
            throw UnwritableCharacter(c, text);
        converted += plain.toUpper();
    }
    return converted;
}

bool isFileText(QStringView text)
{
    for (QChar c : text)
        if (!isPrintableAscii(c.unicode()) || (c >= u'a' && c <= u'z'))
            return false;
    return true;
}

QByteArray fileBytes(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isPrintableAscii(text[i].unicode()))
            throw UnwritableCharacter(text[i], text);
        bytes[i] = char(text[i].unicode());
    }
    return bytes;
}

} // namespace cu::text
