// Italian fiscal codes: the sixteen-character code of a person, built from
// surname, name, birth date, sex and the cadastral code of the birth place
// with its check character, and the eleven-digit code of an entity with its
// check digit. Used to give the demo archive valid codes and to check them.
#pragma once

#include <QDate>
#include <QString>

namespace cu::demo {

enum class Sex
{
    Male,
    Female
};

class FiscalCode
{
public:
    // The code of a person; accents, blanks and apostrophes in the names are
    // ignored. placeCode is the four-character cadastral code ("H501",
    // "Z112" for a foreign country).
    static QString person(const QString& surname, const QString& name, const QDate& birth, Sex sex,
                          const QString& placeCode);
    // The check character of the first fifteen characters of a person's code.
    static QChar checkCharacter(QStringView first15);
    // Whether text is a well-formed person's code with the right check character.
    static bool isValidPerson(const QString& text);

    // The eleven-digit code of an entity from its first ten digits.
    static QString entity(const QString& first10);
    static bool isValidEntity(const QString& text);

private:
    static QString surnamePart(const QString& surname);
    static QString namePart(const QString& name);
};

} // namespace cu::demo
