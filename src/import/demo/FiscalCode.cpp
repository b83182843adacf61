// Italian fiscal codes of persons and entities.
#include "import/demo/FiscalCode.h"

#include <QRegularExpression>

namespace cu::demo {

namespace {

const QString MonthLetters = QStringLiteral("ABCDEHLMPRST");
const QString Vowels = QStringLiteral("AEIOU");

// Values of the characters in odd positions (first, third, ...), indexed by
// digit or by letter.
constexpr int OddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                               20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// Upper-case letters only, accents folded to the plain letter.
QString lettersOf(const QString& text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        const QChar u = c.toUpper();
        if (u >= u'A' && u <= u'Z')
            out += u;
    }
    return out;
}

void split(const QString& letters, QString& consonants, QString& vowels)
{
    for (QChar c : letters)
        (Vowels.contains(c) ? vowels : consonants) += c;
}

int characterIndex(QChar c)
{
    return c.isDigit() ? c.digitValue() : c.unicode() - u'A';
}

} // namespace

QString FiscalCode::surnamePart(const QString& surname)
{
    QString consonants, vowels;
    split(lettersOf(surname), consonants, vowels);
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

QString FiscalCode::namePart(const QString& name)
{
    QString consonants, vowels;
    split(lettersOf(name), consonants, vowels);
    if (consonants.size() >= 4)
        return QString(consonants[0]) + consonants[2] + consonants[3];
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

QString FiscalCode::person(const QString& surname, const QString& name, const QDate& birth, Sex sex,
                           const QString& placeCode)
{
    const int day = birth.day() + (sex == Sex::Female ? 40 : 0);
    const QString first15 = surnamePart(surname) + namePart(name) +
                            QStringLiteral("%1").arg(birth.year() % 100, 2, 10, QLatin1Char('0')) +
                            MonthLetters[birth.month() - 1] +
                            QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')) + placeCode.toUpper();
    return first15 + checkCharacter(first15);
}

QChar FiscalCode::checkCharacter(QStringView first15)
{
    int sum = 0;
    for (qsizetype i = 0; i < first15.size(); ++i) {
        const int index = characterIndex(first15[i]);
        sum += (i % 2 == 0) ? OddValues[index] : index;
    }
    return QChar(u'A' + sum % 26);
}

bool FiscalCode::isValidPerson(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral(
        "^[A-Z]{6}[0-9LMNPQRSTUV]{2}[ABCDEHLMPRST][0-9LMNPQRSTUV]{2}[A-Z][0-9LMNPQRSTUV]{3}[A-Z]$"));
    return shape.match(text).hasMatch() && checkCharacter(QStringView(text).left(15)) == text[15];
}

QString FiscalCode::entity(const QString& first10)
{
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int digit = first10[i].digitValue();
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return first10 + QChar(u'0' + (10 - sum % 10) % 10);
}

bool FiscalCode::isValidEntity(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^[0-9]{11}$"));
    return shape.match(text).hasMatch() && entity(text.left(10)) == text;
}

} // namespace cu::demo
