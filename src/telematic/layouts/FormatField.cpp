// The format table of the fixed-width writer.
#include "telematic/layouts/FormatField.h"

#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "foundation/text/TextFunctions.h"
#include "telematic/layouts/FileText.h"

#include <QHash>

namespace cu {

namespace {

using namespace cu::text;

const QString ZeroDate = QStringLiteral("0.00.00");

QString leftAligned(const QString& value, int width)
{
    return padRight(trimBoth(value), PadMarker, width, Overflow::Cut);
}
QString rightBlank(const QString& value, int width)
{
    return padLeft(value, u' ', width, Overflow::Keep);
}

// Day, month and four-digit year of a "dd/mm/yyyy" text.
QString dayMonthYear(const QString& value)
{
    return value.mid(0, 2) + value.mid(3, 2) + value.mid(6, 4);
}

QString formatAmount(const QString& value, int width)
{
    const QString text = trimBoth(value);
    if (text.isEmpty())
        return rightBlank(QString(), width);
    const std::optional<Currency> amount = Currency::parse(text);
    if (!amount)
        throw EZfError(QStringLiteral("Importo non valido nel file telematico: \"%1\"").arg(text));
    if (amount->rounded(2).isZero())
        return rightBlank(QString(), width);
    return rightBlank(amount->toString(2).replace(u'.', u','), width);
}

// Digits of the "N1" ... "N11" codes; 0 for any other code.
int zeroFilledDigits(const QString& format)
{
    static const QHash<QString, int> digits{{QStringLiteral("N1"), 1},   {QStringLiteral("N3"), 3},
                                            {QStringLiteral("N5"), 5},   {QStringLiteral("N6"), 6},
                                            {QStringLiteral("N10"), 10}, {QStringLiteral("N11"), 11}};
    return digits.value(format, 0);
}

} // namespace

QString FormatField(const QString& value, int width, const QString& format, const QString& info)
{
    if (format == u"AN" || format == u"CF")
        return leftAligned(value, width);
    if (format == u"AX")
        return trimBoth(value) == u"X" ? leftAligned(QStringLiteral("X"), width) : QString();
    if (format == u"CB")
        return value == u"0" ? QString() : rightBlank(QStringLiteral("1"), width);
    if (format == u"CP")
        return padLeft(value == u"0" || value.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"), u'0',
                       width, Overflow::Keep);
    if (format == u"CB12")
        return value == u"000000000000" ? QString(width, u' ') : rightBlank(value, width);
    if (format == u"DT")
        return value == ZeroDate ? QString() : rightBlank(dayMonthYear(value), width);
    if (format == u"DP")
        return value == ZeroDate || value.isEmpty()
                   ? QStringLiteral("00000000")
                   : padLeft(dayMonthYear(value), u'0', width, Overflow::Keep);
    if (format == u"D4") {
        if (value == ZeroDate)
            return QString();
        return rightBlank(value.size() == 4 ? value : value.mid(0, 2) + value.mid(3, 2), width);
    }
    if (format == u"NF")
        return padLeft(value, u'0', width, Overflow::Keep);
    if (const int digits = zeroFilledDigits(format))
        return value.isEmpty() ? QString() : rightBlank(zeroPadLeft(value, digits), width);
    if (format == u"N2")
        return rightBlank(zeroPadLeft(value, 2), width);
    if (format == u"PR" || format == u"PN")
        return padRight(value, PadMarker, width, Overflow::Cut);
    if (format == u"CN") {
        const QString trimmed = trimBoth(value);
        if (info == u"O@" && trimmed.isEmpty())
            return QString(width, u'0');
        return leftAligned(trimmed, width);
    }
    if (format == u"ND")
        return trimBoth(value).isEmpty() ? rightBlank(QStringLiteral("0"), width) : rightBlank(value, width);
    if (format == u"VP" || format == u"VN")
        return formatAmount(value, width);
    // "DA", "D6", "NP", "NU", "PC", "QU" and every other code.
    return rightBlank(value, width);
}

} // namespace cu
