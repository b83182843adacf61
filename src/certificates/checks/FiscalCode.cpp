// Fiscal-code check characters and structure.
#include "certificates/checks/FiscalCode.h"

#include <cstring>

namespace cu {

namespace {

// Values of the characters in odd positions (1st, 3rd, ...), A-Z and 0-9 alike.
constexpr int OddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                               20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// Letters that replace the digits 0-9 in the numeric positions of a homonym's code.
constexpr char OmocodiaLetters[] = "LMNPQRSTUV";
constexpr char MonthLetters[] = "ABCDEHLMPRST";

// 0-based positions that hold digits (or their replacing letters).
constexpr int NumericPositions[] = {6, 7, 9, 10, 12, 13, 14};

int ordinal(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'Z')
        return c.unicode() - u'A';
    return -1;
}

bool isLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digit at a numeric position, also when a homonym's letter replaces it; -1 otherwise.
int numericValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    const char* found = c.unicode() < 128 ? strchr(OmocodiaLetters, char(c.unicode())) : nullptr;
    return found && *found ? int(found - OmocodiaLetters) : -1;
}

QString personalCodeDefect(const QString& code)
{
    for (int i : {0, 1, 2, 3, 4, 5, 8, 11})
        if (!isLetter(code[i]))
            return QStringLiteral("carattere %1 non è una lettera").arg(i + 1);
    for (int i : NumericPositions)
        if (numericValue(code[i]) < 0)
            return QStringLiteral("carattere %1 non è una cifra").arg(i + 1);
    if (!strchr(MonthLetters, char(code[8].unicode())))
        return QStringLiteral("lettera del mese non valida");
    const int day = numericValue(code[9]) * 10 + numericValue(code[10]);
    if (!((day >= 1 && day <= 31) || (day >= 41 && day <= 71)))
        return QStringLiteral("giorno di nascita non valido");
    if (personalCodeCheckCharacter(QStringView(code).left(15)) != code[15])
        return QStringLiteral("carattere di controllo errato");
    return QString();
}

QString numericCodeDefect(const QString& code)
{
    if (numericCodeCheckDigit(QStringView(code).left(10)) != code[10].unicode() - u'0')
        return QStringLiteral("cifra di controllo errata");
    return QString();
}

} // namespace

QChar personalCodeCheckCharacter(QStringView first15)
{
    if (first15.size() != 15)
        return QChar();
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const int value = ordinal(first15[i]);
        if (value < 0)
            return QChar();
        sum += i % 2 == 0 ? OddValues[value] : value;
    }
    return QChar(u'A' + sum % 26);
}

int numericCodeCheckDigit(QStringView first10)
{
    if (first10.size() != 10)
        return -1;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        if (!isDigit(first10[i]))
            return -1;
        int digit = first10[i].unicode() - u'0';
        if (i % 2 == 1) {
            digit *= 2;
            if (digit > 9)
                digit -= 9;
        }
        sum += digit;
    }
    return (10 - sum % 10) % 10;
}

QString fiscalCodeDefect(const QString& code)
{
    if (code.size() == 16)
        return personalCodeDefect(code);
    if (code.size() == 11) {
        for (QChar c : code)
            if (!isDigit(c))
                return QStringLiteral("codice numerico con caratteri non numerici");
        return numericCodeDefect(code);
    }
    return QStringLiteral("lunghezza %1 invece di 16 o 11 caratteri").arg(code.size());
}

} // namespace cu
