// Exact amounts: rounding half away from zero, parsing, ratios and display.
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"

#include <QTest>

using namespace cu;

namespace {

Currency amount(const char* text)
{
    const auto parsed = Currency::parse(QString::fromLatin1(text));
    if (!parsed)
        throw std::runtime_error(std::string("unparsable test amount ") + text);
    return *parsed;
}

} // namespace

class TestCurrency : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfAwayFromZero_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("30.015") << "30.015" << 2 << "30.0200";
        QTest::newRow("30.025") << "30.025" << 2 << "30.0300";
        QTest::newRow("30.0249") << "30.0249" << 2 << "30.0200";
        QTest::newRow("-30.015") << "-30.015" << 2 << "-30.0200";
        QTest::newRow("-2.5 units") << "-2.5" << 0 << "-3.0000";
        QTest::newRow("2.5 units") << "2.5" << 0 << "3.0000";
        QTest::newRow("-2.4999 units") << "-2.4999" << 0 << "-2.0000";
        QTest::newRow("one decimal") << "0.05" << 1 << "0.1000";
        QTest::newRow("four decimals unchanged") << "1.2345" << 4 << "1.2345";
    }

    void roundsHalfAwayFromZero()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(amount(value.toLatin1()).rounded(decimals).toString(4), expected);
    }

    void parsesAwkwardTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("raw");
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
    }

    void parsesAwkwardTexts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, raw);
        const auto parsed = Currency::parse(text);
        QVERIFY(parsed.has_value());
        QCOMPARE(parsed->raw(), raw);
    }

    void refusesNonAmounts_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* bad : {"", " ", "-", "1.234,56", "1,234.56", "1 234", "12a", "1e5", "--1", "0x10",
                                "99999999999999999999", ".", "1..2"})
            QTest::newRow(bad) << QString::fromLatin1(bad);
    }

    void refusesNonAmounts()
    {
        QFETCH(QString, text);
        QVERIFY(!Currency::parse(text).has_value());
    }

    void fromDoubleRoundsAtTheFourthDecimal()
    {
        QCOMPARE(Currency::fromDouble(0.1 + 0.2).raw(), 3000);
        QCOMPARE(Currency::fromDouble(1.00005).raw(), 10001);
        QCOMPARE(Currency::fromDouble(-1.00005).raw(), -10001);
        QCOMPARE(Currency::fromDouble(123456.78).raw(), 1234567800);
        QVERIFY_THROWS_EXCEPTION(EZfError, Currency::fromDouble(qInf()));
        QVERIFY_THROWS_EXCEPTION(EZfError, Currency::fromDouble(1e300));
    }

    void mulDivKeepsPrecision()
    {
        // 1234.56 * 181 / 365 = 612.20646... -> 612.2065
        QCOMPARE(amount("1234.56").mulDiv(181, 365).raw(), 6122065);
        QCOMPARE(amount("0.0001").mulDiv(1, 2).raw(), 1);  // half rounds up
        QCOMPARE(amount("-0.0001").mulDiv(1, 2).raw(), -1); // and away from zero
        QCOMPARE(amount("10").mulDiv(1, -4).raw(), -25000);
        // A product beyond 64 bits that comes back into range.
        QCOMPARE(amount("900000000000").mulDiv(100000, 100000).raw(), amount("900000000000").raw());
        QVERIFY_THROWS_EXCEPTION(EAssertion, amount("1").mulDiv(1, 0));
        QVERIFY_THROWS_EXCEPTION(EAssertion, amount("900000000000").mulDiv(1000000, 1));
    }

    void arithmeticAndOrder()
    {
        const Currency a = amount("10.10");
        const Currency b = amount("0.25");
        QCOMPARE((a + b).toString(), "10.35");
        QCOMPARE((a - b * 4).toString(), "9.10");
        QCOMPARE((-a).toString(), "-10.10");
        QVERIFY(b < a);
        QCOMPARE(a.units(), 10);
        QCOMPARE(amount("-10.9").units(), -10);
        QCOMPARE(Currency::fromUnits(3).raw(), 30000);
    }

    void formatsPlainAndItalian_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("italian");
        QTest::newRow("zero") << "0" << "0.00" << "0,00";
        QTest::newRow("small") << "0.5" << "0.50" << "0,50";
        QTest::newRow("thousands") << "1234.56" << "1234.56" << "1.234,56";
        QTest::newRow("millions") << "-1234567.891" << "-1234567.89" << "-1.234.567,89";
        QTest::newRow("rounded to zero") << "-0.004" << "0.00" << "0,00";
        QTest::newRow("exact thousand") << "1000" << "1000.00" << "1.000,00";
        QTest::newRow("hundred") << "999.999" << "1000.00" << "1.000,00";
    }

    void formatsPlainAndItalian()
    {
        QFETCH(QString, value);
        QFETCH(QString, plain);
        QFETCH(QString, italian);
        QCOMPARE(amount(value.toLatin1()).toString(2), plain);
        QCOMPARE(amount(value.toLatin1()).toItalian(2), italian);
    }

    void formatsOtherDecimals()
    {
        QCOMPARE(amount("12.3456").toString(4), "12.3456");
        QCOMPARE(amount("12.3456").toString(0), "12");
        QCOMPARE(amount("12.5").toItalian(0), "13");
        QCOMPARE(amount("-0.0001").toString(4), "-0.0001");
    }

    // Whatever a driver or a dataset hands over becomes the same amount.
    void fromAnyValue()
    {
        const Currency expected = Currency::fromRaw(12345600);
        QCOMPARE(Currency::fromVariant(QVariant::fromValue(expected)), expected);
        QCOMPARE(Currency::fromVariant(qlonglong(1234)), Currency::fromUnits(1234));
        QCOMPARE(Currency::fromVariant(1234.56), expected);
        QCOMPARE(Currency::fromVariant(0.1 + 0.2), Currency::fromRaw(3000));
        QCOMPARE(Currency::fromVariant(QStringLiteral(" 1234,56 ")), expected);
        QCOMPARE(Currency::fromVariant(QByteArray("1234.56")), expected);
        QCOMPARE(Currency::fromVariant(QStringLiteral("12a")), std::nullopt);
        QCOMPARE(Currency::fromVariant(QString()), std::nullopt);
        QCOMPARE(Currency::fromVariant(QVariant()), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestCurrency)
#include "test_currency.moc"
