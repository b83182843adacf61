// Amounts of money kept exactly: a 64-bit count of ten-thousandths.
// No amount ever passes through floating point on its way in or out, except
// where a database engine hands back a REAL (SQLite), which is rounded to the
// fourth decimal once, at the border (fromDouble).
#pragma once

#include <QMetaType>
#include <QVariant>
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace cu {

class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t tenThousandths) { return Currency(tenThousandths); }
    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units * Scale); }
    // Rounds to the fourth decimal, half away from zero. A value that is not
    // finite or beyond 9e14 is an EZfError.
    static Currency fromDouble(double value);
    // Accepts "1234", "-1234.5", "1234,56", "0.0001" (at most four decimals;
    // more are rounded half away from zero). Thousands separators are refused.
    static std::optional<Currency> parse(QStringView text);
    // How a text is read as an amount.
    enum class TextRule
    {
        Decimal,        // plain decimal numbers only (parse): what a person or a file writes
        DecimalOrFloat, // also any number form a database engine may hand back ("1.5E3")
    };
    // The one conversion of a value to an amount: a Currency as it is, an
    // integer as units, a floating-point number rounded as fromDouble, a
    // text read by the rule. Nothing when the value holds no amount: null,
    // empty, a text that is no number, another type, or a number beyond the
    // range of an amount. Each caller raises its own error on nothing.
    static std::optional<Currency> fromVariant(const QVariant& value, TextRule rule = TextRule::Decimal);

    constexpr std::int64_t raw() const { return m_raw; }
    constexpr bool isZero() const { return m_raw == 0; }
    // For display and charts only, never for arithmetic that is stored.
    double toDouble() const { return double(m_raw) / Scale; }
    // Whole units, truncated toward zero.
    constexpr std::int64_t units() const { return m_raw / Scale; }

    // Rounded half away from zero to the given number of decimals (0..4).
    Currency rounded(int decimals) const;
    // "1234.5600" style with the given decimals (0..4), '.' as separator.
    QString toString(int decimals = 2) const;
    // Italian display "#,##0.00": "1.234,56"; zero gives "0,00".
    QString toItalian(int decimals = 2) const;

    constexpr Currency operator-() const { return Currency(-m_raw); }
    constexpr Currency operator+(Currency o) const { return Currency(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return Currency(m_raw - o.m_raw); }
    constexpr Currency& operator+=(Currency o)
    {
        m_raw += o.m_raw;
        return *this;
    }
    constexpr Currency& operator-=(Currency o)
    {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr Currency operator*(std::int64_t factor) const { return Currency(m_raw * factor); }
    // Multiplies by a ratio numerator/denominator, rounding half away from zero
    // to the fourth decimal; the intermediate product is 128-bit. A zero
    // denominator or a result beyond 64 bits is an EAssertion.
    Currency mulDiv(std::int64_t numerator, std::int64_t denominator) const;

    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t raw) : m_raw(raw) {}
    // fromDouble without the error: nothing beyond the range of an amount.
    static std::optional<Currency> fromRepresentableDouble(double value);
    std::int64_t m_raw = 0;
};

} // namespace cu

Q_DECLARE_METATYPE(cu::Currency)
