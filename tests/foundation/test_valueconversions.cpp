// The one conversion of a value to an amount and of a value to text, with
// the rules that tell their callers apart.
#include "foundation/text/Currency.h"
#include "foundation/text/ValueText.h"

#include <QDate>
#include <QTest>

using namespace cu;

Q_DECLARE_METATYPE(std::optional<cu::Currency>)

class TestValueConversions : public QObject
{
    Q_OBJECT

private slots:
    void amounts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("engineRule");
        QTest::addColumn<std::optional<Currency>>("expected");
        const std::optional<Currency> none;
        QTest::newRow("decimal text")
            << QVariant(QStringLiteral("12,50")) << false << std::optional(Currency::fromRaw(125000));
        QTest::newRow("exponent refused by a person's rule")
            << QVariant(QStringLiteral("1.5E3")) << false << none;
        QTest::newRow("exponent read from an engine")
            << QVariant(QStringLiteral("1.5E3")) << true << std::optional(Currency::fromUnits(1500));
        QTest::newRow("empty text") << QVariant(QString()) << true << none;
        QTest::newRow("null") << QVariant() << true << none;
        QTest::newRow("small integer")
            << QVariant::fromValue(short(-7)) << false << std::optional(Currency::fromUnits(-7));
        QTest::newRow("integer beyond an amount") << QVariant(qlonglong(1) << 62) << false << none;
        QTest::newRow("double beyond an amount") << QVariant(1e300) << true << none;
        QTest::newRow("date") << QVariant(QDate(2024, 1, 1)) << true << none;
    }
    void amounts()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, engineRule);
        QFETCH(std::optional<Currency>, expected);
        const auto rule = engineRule ? Currency::TextRule::DecimalOrFloat : Currency::TextRule::Decimal;
        QCOMPARE(Currency::fromVariant(value, rule), expected);
    }

    void texts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("print");
        QTest::newRow("amount") << QVariant::fromValue(Currency::fromRaw(12345000)) << "1234.5"
                                << "1234,5";
        QTest::newRow("whole amount") << QVariant::fromValue(Currency::fromUnits(-3)) << "-3"
                                      << "-3";
        QTest::newRow("double") << QVariant(0.1 + 0.2) << "0.3"
                                << "0,3";
        QTest::newRow("date") << QVariant(QDate(2024, 6, 30)) << "30/06/2024"
                              << "30/06/2024";
        QTest::newRow("empty date") << QVariant(QDate()) << "0.00.00"
                                    << "";
        QTest::newRow("flag") << QVariant(true) << "1"
                              << "1";
        QTest::newRow("null") << QVariant() << ""
                              << "";
    }
    void texts()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, file);
        QFETCH(QString, print);
        QCOMPARE(text::valueText(value, text::ValueTextForm::FileField), file);
        QCOMPARE(text::valueText(value, text::ValueTextForm::Print), print);
    }
};

QTEST_GUILESS_MAIN(TestValueConversions)
#include "test_valueconversions.moc"
