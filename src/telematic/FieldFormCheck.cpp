// Forms of the values of the telematic file, by format code.
#include "telematic/FieldFormCheck.h"

#include "telematic/layouts/RecordLayout.h"

#include <QDate>

namespace cu {

namespace {

bool isZeros(QByteArrayView text)
{
    for (char c : text)
        if (c != '0' && c != ',')
            return false;
    return true;
}

// Left-aligned: a value that starts with a character.
bool isLeftAligned(QByteArrayView value)
{
    return !value.isEmpty() && value[0] != ' ';
}

// Right-aligned: the value, without its leading blanks, ends the field.
QByteArrayView rightAligned(QByteArrayView value)
{
    if (value.isEmpty() || value.back() == ' ')
        return QByteArrayView();
    qsizetype start = 0;
    while (start < value.size() && value[start] == ' ')
        ++start;
    const QByteArrayView text = value.sliced(start);
    return text.contains(' ') ? QByteArrayView() : text;
}

// The number of two or four digits at pos (the text holds digits only).
int digitsAt(QByteArrayView text, qsizetype pos, qsizetype n)
{
    int value = 0;
    for (qsizetype i = pos; i < pos + n; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// The digits of the "N1" ... "N11" formats; 0 for any other code.
int maximumDigits(const QString& format)
{
    if (format.size() < 2 || format[0] != u'N')
        return 0;
    bool ok = false;
    const int digits = format.mid(1).toInt(&ok);
    return ok ? digits : 0;
}

struct Form
{
    QString description;
    bool (*accepts)(QByteArrayView text);
};

bool anyText(QByteArrayView text)
{
    return !text.isEmpty();
}
bool province(QByteArrayView text)
{
    return text.size() == 2 && std::isupper(uchar(text[0])) && std::isupper(uchar(text[1]));
}
bool numericCode(QByteArrayView text)
{
    return text.size() == 11 && isDigits(text);
}
// Digits, a comma and two decimals.
bool positiveAmount(QByteArrayView text)
{
    const qsizetype comma = text.size() - 3;
    return comma > 0 && text[comma] == ',' && isDigits(text.first(comma)) && isDigits(text.sliced(comma + 1)) &&
           !isZeros(text);
}
// The same with a minus sign before a negative amount.
bool signedAmount(QByteArrayView text)
{
    return positiveAmount(text.startsWith('-') ? text.sliced(1) : text);
}
bool date(QByteArrayView text)
{
    return text.size() == 8 && isDigits(text) &&
           QDate::isValid(digitsAt(text, 4, 4), digitsAt(text, 2, 2), digitsAt(text, 0, 2));
}
bool year(QByteArrayView text)
{
    return text.size() == 4 && isDigits(text);
}
bool dayMonth(QByteArrayView text)
{
    return text.size() == 4 && isDigits(text) && QDate::isValid(2024, digitsAt(text, 2, 2), digitsAt(text, 0, 2));
}
bool monthYear(QByteArrayView text)
{
    return text.size() == 6 && isDigits(text) && QDate::isValid(digitsAt(text, 2, 4), digitsAt(text, 0, 2), 1);
}
bool box(QByteArrayView text)
{
    return text == "1";
}
bool months(QByteArrayView text)
{
    return text.size() == 12 && !isZeros(text) &&
           std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '1'; });
}
bool positiveNumber(QByteArrayView text)
{
    return isDigits(text) && !isZeros(text);
}
bool signedNumber(QByteArrayView text)
{
    return positiveNumber(text.startsWith('-') ? text.sliced(1) : text);
}
bool percentage(QByteArrayView text)
{
    const qsizetype comma = text.indexOf(',');
    const bool digits = comma < 0 ? isDigits(text) : isDigits(text.first(comma)) && isDigits(text.sliced(comma + 1));
    return digits && !isZeros(text);
}

// Forms of right-aligned coded values; null accepts for a format without one.
Form rightAlignedForm(const QString& format)
{
    // A negative amount in a field of positive amounts ("VP") is refused by
    // the agency: only "VN" fields take a minus sign.
    if (format == u"VP")
        return {QStringLiteral("importo positivo diverso da zero, con virgola e due decimali, allineato a destra "
                               "(es. \"         1234,50\")"),
                positiveAmount};
    if (format == u"VN")
        return {QStringLiteral("importo diverso da zero, con virgola e due decimali, allineato a destra, "
                               "con il segno meno se negativo (es. \"        -1234,50\")"),
                signedAmount};
    if (format == u"DT")
        return {QStringLiteral("data ggmmaaaa allineata a destra"), date};
    if (format == u"DA")
        return {QStringLiteral("anno aaaa allineato a destra"), year};
    if (format == u"D4")
        return {QStringLiteral("giorno e mese ggmm allineati a destra"), dayMonth};
    if (format == u"D6")
        return {QStringLiteral("mese e anno mmaaaa allineati a destra"), monthYear};
    if (format == u"CB")
        return {QStringLiteral("casella \"1\" allineata a destra"), box};
    if (format == u"CB12")
        return {QStringLiteral("dodici caselle 0 o 1, non tutte 0, allineate a destra"), months};
    if (format == u"NP" || format == u"QU")
        return {QStringLiteral("numero intero diverso da zero allineato a destra"), positiveNumber};
    if (format == u"NU")
        return {QStringLiteral("numero intero diverso da zero allineato a destra"), signedNumber};
    if (format == u"PC")
        return {QStringLiteral("percentuale diversa da zero allineata a destra"), percentage};
    return {QString(), nullptr};
}

// Forms of left-aligned coded values; null accepts for a format without one.
Form leftAlignedForm(const QString& format)
{
    if (format == u"AN" || format == u"AX")
        return {QStringLiteral("testo allineato a sinistra"), anyText};
    if (format == u"CF")
        return {QStringLiteral("codice fiscale allineato a sinistra"), anyText};
    if (format == u"PR" || format == u"PN")
        return {QStringLiteral("sigla di due lettere allineata a sinistra"), province};
    if (format == u"CN")
        return {QStringLiteral("codice fiscale numerico di 11 cifre allineato a sinistra"), numericCode};
    return {QString(), nullptr};
}

QString limitedNumberDefect(int digits, QByteArrayView value)
{
    const QByteArrayView text = rightAligned(value);
    if (text.size() <= digits && positiveNumber(text))
        return QString();
    return QStringLiteral("numero di al più %1 cifre, diverso da zero, allineato a destra").arg(digits);
}

} // namespace

QString codedValueDefect(const QString& format, QByteArrayView value, bool continuation)
{
    if (continuation)
        return format == u"AN" && isLeftAligned(value)
                   ? QString()
                   : QStringLiteral("continuazione con \"+\" ammessa solo per un testo (formato AN)");
    if (const int digits = maximumDigits(format))
        return limitedNumberDefect(digits, value);
    if (const Form form = leftAlignedForm(format); form.accepts) {
        const QByteArrayView text = value.trimmed();
        return isLeftAligned(value) && form.accepts(text) ? QString() : form.description;
    }
    if (const Form form = rightAlignedForm(format); form.accepts)
        return form.accepts(rightAligned(value)) ? QString() : form.description;
    return QString();
}

QString positionalValueDefect(const LayoutField& field, QByteArrayView value)
{
    const QString& format = field.format;
    if (field.info == u"OF" && (format == u"AN" || format == u"AX")) {
        if (field.fixed.isEmpty())
            return isBlank(value) ? QString() : QStringLiteral("spazi (campo vuoto)");
        const QByteArray expected = field.fixed.toLatin1().leftJustified(field.width, ' ', true);
        return value == expected ? QString() : QStringLiteral("\"%1\"").arg(field.fixed);
    }
    if (format == u"NF" || format == u"N2")
        return isDigits(value) ? QString() : QStringLiteral("cifre, riempite a sinistra con zeri");
    if (format == u"CP")
        return value == "0" || value == "1" ? QString() : QStringLiteral("casella \"0\" o \"1\"");
    if (format == u"DT" || format == u"DP")
        return isBlank(value) || isZeros(value) || date(value) ? QString()
                                                               : QStringLiteral("data ggmmaaaa o zeri");
    if (format == u"CN")
        return isDigits(value) ? QString() : QStringLiteral("codice fiscale numerico di 11 cifre o zeri");
    if (format == u"AN" || format == u"CF")
        return isBlank(value) || isLeftAligned(value) ? QString()
                                                      : QStringLiteral("testo allineato a sinistra");
    return QString();
}

qsizetype firstUnwritablePosition(QByteArrayView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < 0x20 || c > 0x7E || (c >= 'a' && c <= 'z'))
            return i;
    }
    return -1;
}

bool isDigits(QByteArrayView text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
}

bool isBlank(QByteArrayView text)
{
    for (char c : text)
        if (c != ' ')
            return false;
    return true;
}

} // namespace cu
