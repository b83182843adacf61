// Exact amounts (rounding half away from zero, parsing, ratios, display), the
// fixed-width text functions, the nearest Latin-1 letters, the conversions of
// a value to an amount and to text, and the format strings of the statements.
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "foundation/text/HlmString.h"
#include "foundation/text/TextFunctions.h"
#include "foundation/text/ValueText.h"
#include "support/TestSupport.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::money;

Q_DECLARE_METATYPE(std::optional<cu::Currency>)

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfAwayFromZero_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("30.015") << "30.015" << 2 << "30.0200";
        QTest::newRow("30.025") << "30.025" << 2 << "30.0300";
        QTest::newRow("30.0249") << "30.0249" << 2 << "30.0200";
        QTest::newRow("-30.015") << "-30.015" << 2 << "-30.0200";
        QTest::newRow("-2.5 units") << "-2.5" << 0 << "-3.0000";
        QTest::newRow("2.5 units") << "2.5" << 0 << "3.0000";
        QTest::newRow("-2.4999 units") << "-2.4999" << 0 << "-2.0000";
        QTest::newRow("one decimal") << "0.05" << 1 << "0.1000";
        QTest::newRow("four decimals unchanged") << "1.2345" << 4 << "1.2345";
        // clang-format on
    }
    void roundsHalfAwayFromZero()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QTEST(money(value.toLatin1()).rounded(decimals).toString(4), "expected");
    }

    void parsesAwkwardTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw"); // -1 000 000: refused
        const qint64 refused = -1000000;
        // clang-format off
        QTest::newRow("integer") << "1234" << qint64(12340000);
        QTest::newRow("comma") << "1234,56" << qint64(12345600);
        QTest::newRow("padded") << "  -0.0001 " << qint64(-1);
        QTest::newRow("plus") << "+7.5" << qint64(75000);
        QTest::newRow("leading point") << ".5" << qint64(5000);
        QTest::newRow("trailing point") << "3." << qint64(30000);
        QTest::newRow("fifth decimal up") << "0.00005" << qint64(1);
        QTest::newRow("fifth decimal down") << "0.00004" << qint64(0);
        QTest::newRow("negative fifth") << "-0.00005" << qint64(-1);
        QTest::newRow("many decimals") << "1.999999999" << qint64(20000);
        QTest::newRow("zeros") << "000.000" << qint64(0);
        // clang-format on
        for (const char* bad : {"", " ", "-", "1.234,56", "1,234.56", "1 234", "12a", "1e5", "--1", "0x10",
                                "99999999999999999999", ".", "1..2"})
            QTest::addRow("refused '%s'", bad) << QString::fromLatin1(bad) << refused;
    }
    void parsesAwkwardTexts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        const auto parsed = Currency::parse(text);
        QCOMPARE(parsed.has_value(), raw != -1000000);
        if (parsed)
            QCOMPARE(parsed->raw(), raw);
    }

    void conversionsAndArithmetic()
    {
        QCOMPARE(Currency::fromDouble(0.1 + 0.2).raw(), 3000);
        QCOMPARE(Currency::fromDouble(1.00005).raw(), 10001);
        QCOMPARE(Currency::fromDouble(-1.00005).raw(), -10001);
        QCOMPARE(Currency::fromDouble(123456.78).raw(), 1234567800);
        QVERIFY_THROWS_EXCEPTION(EZfError, Currency::fromDouble(qInf()));
        QVERIFY_THROWS_EXCEPTION(EZfError, Currency::fromDouble(1e300));
        // 1234.56 * 181 / 365 = 612.20646... -> 612.2065; halves away from zero.
        QCOMPARE(money("1234.56").mulDiv(181, 365).raw(), 6122065);
        QCOMPARE(money("0.0001").mulDiv(1, 2).raw(), 1);
        QCOMPARE(money("-0.0001").mulDiv(1, 2).raw(), -1);
        QCOMPARE(money("10").mulDiv(1, -4).raw(), -25000);
        // A product beyond 64 bits that comes back into range.
        QCOMPARE(money("900000000000").mulDiv(100000, 100000), money("900000000000"));
        QVERIFY_THROWS_EXCEPTION(EAssertion, money("1").mulDiv(1, 0));
        QVERIFY_THROWS_EXCEPTION(EAssertion, money("900000000000").mulDiv(1000000, 1));
        QCOMPARE((money("10.10") - money("0.25") * 4).toString(), "9.10");
        QCOMPARE(money("-10.9").units(), -10);
    }

    void formatsPlainAndItalian_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("italian");
        // clang-format off
        QTest::newRow("zero") << "0" << 2 << "0.00" << "0,00";
        QTest::newRow("small") << "0.5" << 2 << "0.50" << "0,50";
        QTest::newRow("thousands") << "1234.56" << 2 << "1234.56" << "1.234,56";
        QTest::newRow("millions") << "-1234567.891" << 2 << "-1234567.89" << "-1.234.567,89";
        QTest::newRow("rounded to zero") << "-0.004" << 2 << "0.00" << "0,00";
        QTest::newRow("exact thousand") << "1000" << 2 << "1000.00" << "1.000,00";
        QTest::newRow("rounded up to a thousand") << "999.999" << 2 << "1000.00" << "1.000,00";
        QTest::newRow("four decimals") << "-0.0001" << 4 << "-0.0001" << "-0,0001";
        QTest::newRow("no decimals") << "12.5" << 0 << "13" << "13";
        // clang-format on
    }
    void formatsPlainAndItalian()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QTEST(money(value.toLatin1()).toString(decimals), "plain");
        QTEST(money(value.toLatin1()).toItalian(decimals), "italian");
    }

    // A pad function's overflow rule decides a longer text: Cut keeps the
    // side of the alignment, Keep returns it whole; zeros never cut a number.
    void padding_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("right shorter") << "R cut" << "Rossi" << 8 << "Rossi***";
        QTest::newRow("right exact") << "R cut" << "Rossi" << 5 << "Rossi";
        QTest::newRow("right longer cut keeps left") << "R cut" << "Rossignoli" << 5 << "Rossi";
        QTest::newRow("right longer kept") << "R keep" << "Rossignoli" << 5 << "Rossignoli";
        QTest::newRow("right empty") << "R cut" << "" << 3 << "***";
        QTest::newRow("right zero width cut") << "R cut" << "abc" << 0 << "";
        QTest::newRow("right negative width cut") << "R cut" << "abc" << -2 << "";
        QTest::newRow("left shorter") << "L keep" << "123" << 6 << "***123";
        QTest::newRow("left longer cut keeps right") << "L cut" << "1234567" << 3 << "567";
        QTest::newRow("left longer kept") << "L keep" << "1234567" << 3 << "1234567";
        QTest::newRow("zeros") << "Z" << "42" << 5 << "00042";
        QTest::newRow("zeros trims") << "Z" << " 42 " << 5 << "00042";
        QTest::newRow("zeros empty") << "Z" << "" << 2 << "00";
        QTest::newRow("zeros longer kept") << "Z" << "123456" << 3 << "123456";
        // clang-format on
    }
    void padding()
    {
        QFETCH(QString, function);
        QFETCH(QString, text);
        QFETCH(int, length);
        const text::Overflow overflow = function.endsWith(u"keep") ? text::Overflow::Keep : text::Overflow::Cut;
        const QString result = function.startsWith(u'R')   ? text::padRight(text, u'*', length, overflow)
                               : function.startsWith(u'L') ? text::padLeft(text, u'*', length, overflow)
                                                           : text::zeroPadLeft(text, length);
        QTEST(result, "expected");
    }

    void trimming()
    {
        QCOMPARE(text::trimEnd(u"  Rossi  "_s), u"  Rossi"_s);
        QCOMPARE(text::trimBoth(u" De Rossi\t\r\n"_s), u"De Rossi"_s);
        QCOMPARE(text::trimBoth(u" \t "_s), QString());
        QCOMPARE(text::trimEnd(u" \t "_s), QString());
    }

    void controlCharacters()
    {
        QCOMPARE(text::withoutControlCharacters(u"VIA ROMA\r\n 12\tA"_s), u"VIA ROMA 12 A"_s);
        QCOMPARE(text::withoutControlCharacters(u"\x01ROSSI\x7f"_s), u"ROSSI"_s);
        QCOMPARE(text::withoutControlCharacters(u"\n\t"_s), QString());
        QCOMPARE(text::withoutControlCharacters(u"  DE  ROSSI "_s), u"  DE  ROSSI "_s); // untouched
        QVERIFY(!text::hasControlCharacters(u"É' ~"_s));
        // Lines that the program writes keep their breaks.
        QCOMPARE(text::withoutControlCharacters(u"AI) dal\t01/01\r\nZZ) fine\n"_s, text::LineBreaks::Keep),
                 u"AI) dal 01/01\r\nZZ) fine\n"_s);
    }

    void latin1Equivalents()
    {
        for (QChar c : u"Aa9 'éÒÿ"_s)
            QCOMPARE(text::latin1Equivalent(c), c);
        QCOMPARE(text::latin1Equivalent(u'’'), QChar(u'\''));
        QCOMPARE(text::latin1Equivalent(u'“'), QChar(u'"'));
        QCOMPARE(text::latin1Equivalent(u'–'), QChar(u'-'));
        QCOMPARE(text::latin1Equivalent(QChar(0x2009)), QChar(u' ')); // thin space
        QCOMPARE(text::latin1Equivalent(u'Ș'), QChar(u'S'));
        QCOMPARE(text::latin1Equivalent(u'ő'), QChar(u'o'));
        QCOMPARE(text::latin1Equivalent(u'Ł'), QChar(u'L')); // a stroke, not a decomposable mark
        QCOMPARE(text::latin1Equivalent(u'王'), QChar());
        QCOMPARE(text::latin1Equivalent(u'€'), QChar());
    }

    // The one conversion of a value to an amount: whatever a driver or a
    // dataset hands over becomes the same amount; a person's text rule
    // refuses an exponent that an engine's text may carry.
    void amountOfValue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("engineRule");
        QTest::addColumn<std::optional<Currency>>("expected");
        const std::optional<Currency> none;
        const std::optional<Currency> sample(Currency::fromRaw(12345600));
        // clang-format off
        QTest::newRow("amount") << QVariant::fromValue(*sample) << false << sample;
        QTest::newRow("integer") << QVariant(qlonglong(1234)) << false << std::optional(Currency::fromUnits(1234));
        QTest::newRow("double") << QVariant(1234.56) << false << sample;
        QTest::newRow("inexact double") << QVariant(0.1 + 0.2) << false << std::optional(Currency::fromRaw(3000));
        QTest::newRow("padded comma text") << QVariant(u" 1234,56 "_s) << false << sample;
        QTest::newRow("bytes") << QVariant(QByteArray("1234.56")) << false << sample;
        QTest::newRow("not a number") << QVariant(u"12a"_s) << false << none;
        QTest::newRow("decimal text") << QVariant(u"12,50"_s) << false << std::optional(Currency::fromRaw(125000));
        QTest::newRow("exponent refused by a person's rule") << QVariant(u"1.5E3"_s) << false << none;
        QTest::newRow("exponent read from an engine") << QVariant(u"1.5E3"_s) << true << std::optional(Currency::fromUnits(1500));
        QTest::newRow("empty text") << QVariant(QString()) << true << none;
        QTest::newRow("null") << QVariant() << true << none;
        QTest::newRow("small integer") << QVariant::fromValue(short(-7)) << false << std::optional(Currency::fromUnits(-7));
        QTest::newRow("integer beyond an amount") << QVariant(qlonglong(1) << 62) << false << none;
        QTest::newRow("double beyond an amount") << QVariant(1e300) << true << none;
        QTest::newRow("date") << QVariant(QDate(2024, 1, 1)) << true << none;
        // clang-format on
    }
    void amountOfValue()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, engineRule);
        const auto rule = engineRule ? Currency::TextRule::DecimalOrFloat : Currency::TextRule::Decimal;
        QTEST(Currency::fromVariant(value, rule), "expected");
    }

    // The one conversion of a value to text, in the file's form and the
    // prints' form.
    void textOfValue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("print");
        // clang-format off
        QTest::newRow("amount") << QVariant::fromValue(Currency::fromRaw(12345000)) << "1234.5" << "1234,5";
        QTest::newRow("whole amount") << QVariant::fromValue(Currency::fromUnits(-3)) << "-3" << "-3";
        QTest::newRow("zero amount") << QVariant::fromValue(Currency()) << "0" << "0";
        QTest::newRow("negative amount") << QVariant::fromValue(Currency::fromRaw(-5000)) << "-0.5" << "-0,5";
        QTest::newRow("integer") << QVariant(qint64(365)) << "365" << "365";
        QTest::newRow("text") << QVariant(u"X"_s) << "X" << "X";
        QTest::newRow("double") << QVariant(0.1 + 0.2) << "0.3" << "0,3";
        QTest::newRow("date") << QVariant(QDate(2024, 6, 30)) << "30/06/2024" << "30/06/2024";
        QTest::newRow("empty date") << QVariant(QDate()) << "0.00.00" << "";
        QTest::newRow("flag") << QVariant(true) << "1" << "1";
        QTest::newRow("null") << QVariant() << "" << "";
        // clang-format on
    }
    void textOfValue()
    {
        QFETCH(QVariant, value);
        QTEST(text::valueText(value, text::ValueTextForm::FileField), "file");
        QTEST(text::valueText(value, text::ValueTextForm::Print), "print");
    }

    void format_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected"); // empty: a programming error
        // clang-format off
        QTest::newRow("text") << "WHERE 1=1 %s" << QVariantList{" AND A=:A"} << "WHERE 1=1  AND A=:A";
        QTest::newRow("integers") << "ITNOID IN (%d,%d,%d)" << QVariantList{10, 14, 15} << "ITNOID IN (10,14,15)";
        QTest::newRow("zero padded") << "SANN7%.2d" << QVariantList{3} << "SANN703";
        QTest::newRow("indexed") << "%0:sFISVALUE = :%0:sFISVALUE" << QVariantList{"i"} << "iFISVALUE = :iFISVALUE";
        QTest::newRow("percent") << "LIKE 'A%%' %s" << QVariantList{"X"} << "LIKE 'A%' X";
        QTest::newRow("width") << "[%5s|%-3d]" << QVariantList{"ab", 7} << "[   ab|7  ]";
        QTest::newRow("negative zero padded") << "%.3d" << QVariantList{-5} << "-005";
        QTest::newRow("missing argument") << "%s %s" << QVariantList{"a"} << "";
        QTest::newRow("text for %d") << "%d" << QVariantList{"dieci"} << "";
        QTest::newRow("fraction for %d") << "%d" << QVariantList{1.5} << "";
        QTest::newRow("unknown type") << "%f" << QVariantList{1.5} << "";
        QTest::newRow("cut short") << "abc %" << QVariantList{1} << "";
        // clang-format on
    }
    void format()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QFETCH(QString, expected);
        if (expected.isEmpty())
            QVERIFY_THROWS_EXCEPTION(EAssertion, HlmString::Format(format, args));
        else
            QCOMPARE(HlmString::Format(format, args), expected);
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
