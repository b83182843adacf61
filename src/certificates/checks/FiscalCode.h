// Validation of Italian fiscal codes: the 16-character personal code (with
// its check character and the letters that replace digits for homonyms)
// and the 11-digit numeric code of entities (with its check digit).
#pragma once

#include <QString>

namespace cu {

// The check character of the first 15 characters of a personal code
// (upper-case letters and digits); a null QChar for a malformed text.
QChar personalCodeCheckCharacter(QStringView first15);
// The check digit of the first 10 digits of a numeric code; -1 when malformed.
int numericCodeCheckDigit(QStringView first10);

// Empty when the code is valid; otherwise why it is not, in Italian.
// Accepts a 16-character personal code or an 11-digit numeric code.
QString fiscalCodeDefect(const QString& code);
inline bool isValidFiscalCode(const QString& code)
{
    return fiscalCodeDefect(code).isEmpty();
}

} // namespace cu
