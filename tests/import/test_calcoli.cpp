// Rounding, percentages, floored differences and the days for deductions.
#include "foundation/operator/Errors.h"
#include "import/builders/Calcoli.h"

#include <QTest>

using namespace cu;

namespace {
Currency c(const char* text)
{
    return *Currency::parse(QString::fromLatin1(text));
}
} // namespace

class TestCalcoli : public QObject
{
    Q_OBJECT
private slots:
    void roundCurr_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half up at the cent") << "30.015" << 2 << "30.02";
        QTest::newRow("half up after an odd cent") << "30.025" << 2 << "30.03";
        QTest::newRow("negative half away from zero") << "-2.5" << 0 << "-3";
        QTest::newRow("positive half to units") << "2.5" << 0 << "3";
        QTest::newRow("just below half") << "2.4999" << 0 << "2";
        QTest::newRow("negative cents") << "-30.015" << 2 << "-30.02";
        QTest::newRow("below half of a cent") << "1.0049" << 2 << "1.00";
        QTest::newRow("already rounded") << "7.10" << 2 << "7.10";
        QTest::newRow("zero") << "0" << 2 << "0";
    }
    void roundCurr()
    {
        QFETCH(QString, amount);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(Calcoli::RoundCurr(*Currency::parse(amount), decimals), *Currency::parse(expected));
    }

    void roundCurrRefusesImpossibleDecimals()
    {
        QVERIFY_THROWS_EXCEPTION(EAssertion, Calcoli::RoundCurr(c("1.5"), 5));
    }

    void percentages_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("exact");
        QTest::addColumn<QString>("toCents");
        QTest::newRow("municipal advance") << "100.05"
                                           << "30"
                                           << "30.015"
                                           << "30.02";
        QTest::newRow("hundred keeps four decimals") << "12.3456"
                                                     << "100"
                                                     << "12.3456"
                                                     << "12.35";
        QTest::newRow("pension fund share") << "1000"
                                            << "6.91"
                                            << "69.10"
                                            << "69.10";
        QTest::newRow("share of an odd base") << "1234.57"
                                              << "6.91"
                                              << "85.3088"
                                              << "85.31";
        QTest::newRow("negative amount") << "-100.05"
                                         << "30"
                                         << "-30.015"
                                         << "-30.02";
        QTest::newRow("zero percent") << "500"
                                      << "0"
                                      << "0"
                                      << "0";
    }
    void percentages()
    {
        QFETCH(QString, amount);
        QFETCH(QString, percent);
        QFETCH(QString, exact);
        QFETCH(QString, toCents);
        const Currency a = *Currency::parse(amount);
        const Currency p = *Currency::parse(percent);
        QCOMPARE(Calcoli::Percentuale(a, p), *Currency::parse(exact));
        QCOMPARE(Calcoli::PercentualeArrotondata(2, a, p), *Currency::parse(toCents));
    }

    void differenzaNonNegativa()
    {
        QCOMPARE(Calcoli::DifferenzaNonNegativa(c("100"), c("150")), Currency());
        QCOMPARE(Calcoli::DifferenzaNonNegativa(c("150"), c("100")), c("50"));
        QCOMPARE(Calcoli::DifferenzaNonNegativa(c("0.0001"), c("0.0002")), Currency());
        QCOMPARE(Calcoli::DifferenzaNonNegativa(c("10"), c("10")), Currency());
    }

    void giorni_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<QVector<int>>("paid");    // month, days, month, days, ...
        QTest::addColumn<int>("calendarFebruary"); // -1 = no calendar
        QTest::addColumn<int>("absences");
        QTest::addColumn<int>("expected");
        QTest::newRow("leap February paid full") << 2024 << QVector<int>{2, 30} << -1 << 0 << 29;
        QTest::newRow("February paid full") << 2023 << QVector<int>{2, 30} << -1 << 0 << 28;
        QTest::newRow("February from the calendar") << 2024 << QVector<int>{2, 30} << 20 << 0 << 20;
        QTest::newRow("February partly paid") << 2024 << QVector<int>{2, 12} << -1 << 0 << 12;
        QTest::newRow("January paid full") << 2024 << QVector<int>{1, 30} << -1 << 0 << 31;
        QTest::newRow("April paid full") << 2024 << QVector<int>{4, 30} << -1 << 0 << 30;
        QTest::newRow("absences taken away") << 2024 << QVector<int>{3, 30, 4, 30} << -1 << 10 << 51;
        QTest::newRow("absences beyond the days") << 2024 << QVector<int>{4, 10} << -1 << 30 << 0;
        QTest::newRow("no days, absences ignored") << 2024 << QVector<int>{} << -1 << 5 << 0;
        QVector<int> fullYear;
        for (int m = 1; m <= 12; ++m)
            fullYear << m << 30;
        QTest::newRow("full year") << 2023 << fullYear << -1 << 0 << 365;
        QTest::newRow("full leap year capped") << 2024 << fullYear << -1 << 0 << 365;
        QTest::newRow("arrears months capped")
            << 2023 << (QVector<int>(fullYear) << 13 << 30 << 14 << 30) << -1 << 0 << 365;
    }
    void giorni()
    {
        QFETCH(int, year);
        QFETCH(QVector<int>, paid);
        QFETCH(int, calendarFebruary);
        QFETCH(int, absences);
        QFETCH(int, expected);
        QVector<MesePagato> months;
        for (int i = 0; i + 1 < paid.size(); i += 2)
            months.append({paid[i], paid[i + 1]});
        QVector<int> asked;
        const Calcoli::CalendarioMese calendar = [&](int month) -> std::optional<int> {
            asked.append(month);
            if (month == 2 && calendarFebruary >= 0)
                return calendarFebruary;
            return std::nullopt;
        };
        QCOMPARE(Calcoli::GiorniDetrazioni(months, year, calendar, absences), expected);
        // The calendar is asked only for full months that have not 30 days.
        for (int month : asked)
            QVERIFY(Calcoli::giorniDelMese(year, month) != 30);
    }
};

QTEST_GUILESS_MAIN(TestCalcoli)
#include "test_calcoli.moc"
