// Exact money arithmetic on ten-thousandths.
#include "foundation/text/Currency.h"

#include "foundation/operator/Errors.h"

#include <cmath>

namespace cu {

namespace {

// 128-bit intermediates keep products of amounts and ratios exact.
__extension__ typedef __int128 Int128;

constexpr std::int64_t powerOfTen(int exponent)
{
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

// Divides rounding half away from zero; divisor > 0.
Int128 divideRounded(Int128 value, Int128 divisor)
{
    const Int128 half = divisor / 2;
    if (value >= 0)
        return (value + half) / divisor;
    return -((-value + half) / divisor);
}

} // namespace

Currency Currency::fromDouble(double value)
{
    const std::optional<Currency> amount = fromRepresentableDouble(value);
    if (!amount)
        throw EZfError(QStringLiteral("Importo non rappresentabile: %1").arg(value));
    return *amount;
}

std::optional<Currency> Currency::fromRepresentableDouble(double value)
{
    // Beyond this a double no longer holds the fourth decimal, and the
    // conversion to 64 bits would be undefined.
    constexpr double Limit = 9.0e14;
    if (!std::isfinite(value) || std::fabs(value) > Limit)
        return std::nullopt;
    return Currency(static_cast<std::int64_t>(std::llround(value * Scale)));
}

std::optional<Currency> Currency::fromVariant(const QVariant& value, TextRule rule)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
        constexpr std::int64_t MaxUnits = INT64_MAX / Scale;
        if (value.typeId() == QMetaType::ULongLong && value.toULongLong() > quint64(MaxUnits))
            return std::nullopt;
        const qlonglong units = value.toLongLong();
        if (units > MaxUnits || units < -MaxUnits)
            return std::nullopt;
        return fromUnits(units);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return fromRepresentableDouble(value.toDouble());
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar: {
        const QString text = value.toString();
        if (const std::optional<Currency> exact = parse(text))
            return exact;
        if (rule == TextRule::Decimal)
            return std::nullopt;
        bool ok = false;
        const double number = text.trimmed().toDouble(&ok);
        return ok ? fromRepresentableDouble(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<Currency> Currency::parse(QStringView text)
{
    QStringView t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (t.front() == u'-' || t.front() == u'+') {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    Int128 integerPart = 0;
    Int128 fraction = 0;
    int decimals = 0;
    bool seenSeparator = false;
    bool seenDigit = false;
    for (QChar c : t) {
        if (c == u'.' || c == u',') {
            if (seenSeparator)
                return std::nullopt;
            seenSeparator = true;
            continue;
        }
        if (!c.isDigit())
            return std::nullopt;
        seenDigit = true;
        const int digit = c.digitValue();
        if (!seenSeparator) {
            integerPart = integerPart * 10 + digit;
            if (integerPart > (Int128(1) << 62) / Scale)
                return std::nullopt;
        } else {
            fraction = fraction * 10 + digit;
            ++decimals;
            if (decimals > 18)
                return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    Int128 raw = integerPart * Scale;
    if (decimals <= 4)
        raw += fraction * powerOfTen(4 - decimals);
    else
        raw += divideRounded(fraction, powerOfTen(decimals - 4));
    return Currency(static_cast<std::int64_t>(negative ? -raw : raw));
}

Currency Currency::rounded(int decimals) const
{
    if (decimals >= 4)
        return *this;
    const std::int64_t step = powerOfTen(4 - decimals);
    return Currency(static_cast<std::int64_t>(divideRounded(m_raw, step) * step));
}

Currency Currency::mulDiv(std::int64_t numerator, std::int64_t denominator) const
{
    if (denominator == 0)
        throw EAssertion(QStringLiteral("Rapporto con denominatore zero"), QStringLiteral("Currency"));
    Int128 top = Int128(m_raw) * numerator;
    Int128 bottom = denominator;
    if (bottom < 0) {
        top = -top;
        bottom = -bottom;
    }
    const Int128 result = divideRounded(top, bottom);
    if (result > Int128(INT64_MAX) || result < -Int128(INT64_MAX))
        throw EAssertion(QStringLiteral("Importo fuori scala nel rapporto"), QStringLiteral("Currency"));
    return Currency(static_cast<std::int64_t>(result));
}

QString Currency::toString(int decimals) const
{
    const Currency r = rounded(decimals);
    const std::int64_t absRaw = r.m_raw < 0 ? -r.m_raw : r.m_raw;
    QString result = QString::number(absRaw / Scale);
    if (decimals > 0) {
        const std::int64_t frac = (absRaw % Scale) / powerOfTen(4 - decimals);
        result += u'.' + QString::number(frac).rightJustified(decimals, u'0');
    }
    return r.m_raw < 0 ? u'-' + result : result;
}

QString Currency::toItalian(int decimals) const
{
    QString plain = toString(decimals);
    const bool negative = plain.startsWith(u'-');
    if (negative)
        plain.remove(0, 1);
    const qsizetype dot = plain.indexOf(u'.');
    QString integer = dot < 0 ? plain : plain.left(dot);
    const QString fraction = dot < 0 ? QString() : plain.mid(dot + 1);
    for (qsizetype pos = integer.size() - 3; pos > 0; pos -= 3)
        integer.insert(pos, u'.');
    QString result = fraction.isEmpty() ? integer : integer + u',' + fraction;
    return negative ? u'-' + result : result;
}

} // namespace cu
