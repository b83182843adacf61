// Years, months and the small text helpers of the payroll library.
#include "foundation/database/Connection.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/HlmDate.h"
#include "foundation/installation/HlmUtil.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/HlmString.h"
#include "support/TestDatabases.h"
#include "support/YearTestSupport.h"

#include <QTest>

using namespace cu;
using cu::test::TestDatabase;

class TestYears : public QObject
{
    Q_OBJECT

private slots:
    void yearToId_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("id");
        QTest::newRow("2024") << 2024 << 55;
        QTest::newRow("2019") << 2019 << 50;
        QTest::newRow("1970 is the first") << 1970 << 1;
        QTest::newRow("an id stays") << 55 << 55;
        QTest::newRow("1969 is an id") << 1969 << 1969;
    }
    void yearToId()
    {
        QFETCH(int, year);
        QFETCH(int, id);
        QCOMPARE(HlmAnnoFinanziario::YearToId(year), id);
        QCOMPARE(HlmAnnoFinanziario::YearTextToId(QString::number(year)), id);
    }

    void idToYear_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("year");
        QTest::newRow("55") << 55 << 2024;
        QTest::newRow("1") << 1 << 1970;
        QTest::newRow("a year stays") << 2024 << 2024;
        QTest::newRow("1900 is a year") << 1900 << 1900;
        QTest::newRow("1899 is an id") << 1899 << 3868;
    }
    void idToYear()
    {
        QFETCH(int, id);
        QFETCH(int, year);
        QCOMPARE(HlmAnnoFinanziario::IdToYear(id), year);
    }

    void yearTextMustBeANumber()
    {
        QCOMPARE(HlmAnnoFinanziario::YearTextToId(QStringLiteral(" 2024 ")), 55);
        QVERIFY_THROWS_EXCEPTION(EZfError, HlmAnnoFinanziario::YearTextToId(QStringLiteral("20x4")));
        QVERIFY_THROWS_EXCEPTION(EZfError, HlmAnnoFinanziario::YearTextToId(QString()));
    }

    void monthBoundaries_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QDate>("last");
        QTest::newRow("February 2024, leap") << 2024 << 2 << QDate(2024, 2, 29);
        QTest::newRow("February 2025") << 2025 << 2 << QDate(2025, 2, 28);
        QTest::newRow("February 2100, not leap") << 2100 << 2 << QDate(2100, 2, 28);
        QTest::newRow("April") << 2024 << 4 << QDate(2024, 4, 30);
        QTest::newRow("December") << 2024 << 12 << QDate(2024, 12, 31);
    }
    void monthBoundaries()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QDate, last);
        QCOMPARE(HlmDate::FirstDayOfMonth(year, month), QDate(year, month, 1));
        QCOMPARE(HlmDate::LastDayOfMonth(year, month), last);
    }

    void monthOutOfRangeIsAnAssertion()
    {
        QVERIFY_THROWS_EXCEPTION(EAssertion, HlmDate::LastDayOfMonth(2024, 13));
        QVERIFY_THROWS_EXCEPTION(EAssertion, HlmDate::FirstDayOfMonth(2024, 0));
    }

    void copy_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("from 3 to the end") << 3 << 0 << "CDEF";
        QTest::newRow("from 3, two") << 3 << 2 << "CD";
        QTest::newRow("from 1") << 1 << 6 << "ABCDEF";
        QTest::newRow("start before 1") << 0 << 2 << "AB";
        QTest::newRow("count past the end") << 5 << 10 << "EF";
        QTest::newRow("start past the end") << 7 << 0 << "";
        QTest::newRow("negative count") << 2 << -1 << "";
    }
    void copy()
    {
        QFETCH(int, start);
        QFETCH(int, count);
        QFETCH(QString, expected);
        QCOMPARE(HlmString::Copy(QStringLiteral("ABCDEF"), start, count), expected);
    }

    void addCondition()
    {
        QString where;
        HlmUtil::AddCondition(QStringLiteral("A=1"), where);
        QCOMPARE(where, QStringLiteral(" A=1"));
        HlmUtil::AddCondition(QStringLiteral("B IN (1,2)"), where);
        QCOMPARE(where, QStringLiteral(" A=1 AND  B IN (1,2)"));
    }

    void format_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << "SELECT * FROM T WHERE 1=1 %s" << QVariantList{" AND A=:A"}
                              << "SELECT * FROM T WHERE 1=1  AND A=:A";
        QTest::newRow("integers") << "REGS.ITNOID IN (%d,%d,%d)" << QVariantList{10, 14, 15}
                                  << "REGS.ITNOID IN (10,14,15)";
        QTest::newRow("zero padded") << "SANN7%.2d" << QVariantList{3} << "SANN703";
        QTest::newRow("indexed") << "%0:sFISVALUE = :%0:sFISVALUE" << QVariantList{"i"}
                                 << "iFISVALUE = :iFISVALUE";
        QTest::newRow("percent") << "LIKE 'A%%' %s" << QVariantList{"X"} << "LIKE 'A%' X";
        QTest::newRow("width") << "[%5s|%-3d]" << QVariantList{"ab", 7} << "[   ab|7  ]";
        QTest::newRow("negative zero padded") << "%.3d" << QVariantList{-5} << "-005";
    }
    void format()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QFETCH(QString, expected);
        QCOMPARE(HlmString::Format(format, args), expected);
    }

    void badFormatsAreAssertions_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("missing argument") << "%s %s" << QVariantList{"a"};
        QTest::newRow("text for %d") << "%d" << QVariantList{"dieci"};
        QTest::newRow("fraction for %d") << "%d" << QVariantList{1.5};
        QTest::newRow("unknown type") << "%f" << QVariantList{1.5};
        QTest::newRow("cut short") << "abc %" << QVariantList{1};
    }
    void badFormatsAreAssertions()
    {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QVERIFY_THROWS_EXCEPTION(EAssertion, HlmString::Format(format, args));
    }

    void statementsReadTheTwoDates()
    {
        Connection connection;
        HlmAnnoFinanziario financial(connection, nullptr);
        HlmAnnoScolastico school(connection, nullptr);
        QCOMPARE(financial.GetSQL(), QStringLiteral("SELECT DANFZEFIRINIZIO, DANFZEFIRFINE FROM "
                                                    "TANF_ANNIFINANZ WHERE IANFID=:IDANNO"));
        QCOMPARE(school.GetSQL(), QStringLiteral("SELECT DANSZEFIRINIZIO, DANSZEFIRFINE FROM "
                                                 "TANS_ANNISCOLAST WHERE IANSID=:IDANNO"));
    }

    void withoutParametersTheCurrentIdIsAnAssertion()
    {
        Connection connection;
        HlmAnnoFinanziario financial(connection, nullptr);
        try {
            financial.Load(0);
            QFAIL("no assertion");
        } catch (const EAssertion& e) {
            QCOMPARE(e.unitName(), QStringLiteral("HlmUUtil"));
        }
        HlmAnnoScolastico school(connection, nullptr);
        QVERIFY_THROWS_EXCEPTION(EAssertion, school.GetParamID());
        AppContext context;
        QVERIFY_THROWS_EXCEPTION(EAssertion, KbrAnnoFinanziario{context});
    }

    void currentIdsFromTheParameters()
    {
        Connection connection;
        ParamManager params;
        HlmAnnoFinanziario financial(connection, &params);
        HlmAnnoScolastico school(connection, &params);
        QCOMPARE(financial.GetParamID(), 0);
        QCOMPARE(school.GetParamID(), 0); // unset
        QCOMPARE(HlmUtil::ParamDwgID(params), 0);
        params.setParams(ParamManager::AnfId, 55);
        params.setParams(ParamManager::AnsId, QStringLiteral(" 7 "));
        params.setParams(ParamManager::DwgId, 3);
        QCOMPARE(financial.GetParamID(), 55);
        QCOMPARE(school.GetParamID(), 7);
        QCOMPARE(HlmUtil::ParamDwgID(params), 3);
        params.setParams(ParamManager::AnsId, QStringLiteral("sette"));
        QCOMPARE(school.GetParamID(), 0); // not a number
    }

    void loadReadsTheDates_data() { cu::test::TestDatabases::addEngineColumns(); }
    void loadReadsTheDates()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        cu::test::createYearTables(connection);

        ParamManager params;
        params.setParams(ParamManager::AnfId, 50);
        HlmAnnoFinanziario financial(connection, &params);
        financial.Load(0); // the current year of the parameters
        QCOMPARE(financial.id(), 50);
        QCOMPARE(financial.endDate(), QDate(2019, 12, 31));
        financial.LoadYearText(QStringLiteral("2024"));
        QCOMPARE(financial.id(), 55);
        QCOMPARE(financial.startDate(), QDate(2024, 1, 1));
        QCOMPARE(financial.endDate(), QDate(2024, 12, 31));
        QCOMPARE(financial.startText(), QStringLiteral("01/01/2024"));
        QCOMPARE(financial.endText(), QStringLiteral("12/31/2024"));
        QCOMPARE(financial.year(), qint16(2024));
        QCOMPARE(financial.YearText(), QStringLiteral("2024"));

        // A school year belongs to the year it starts in and is named by the year
        // it ends in.
        HlmAnnoScolastico school(connection, nullptr);
        school.Load(7);
        QCOMPARE(school.startDate(), QDate(2023, 9, 1));
        QCOMPARE(school.endText(), QStringLiteral("08/31/2024"));
        QCOMPARE(school.year(), qint16(2023));
        QCOMPARE(school.YearText(), QStringLiteral("2024"));

        try {
            financial.Load(HlmAnnoFinanziario::YearToId(2030));
            QFAIL("missing year accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("61")) &&
                         e.message().contains(QStringLiteral("TANF_ANNIFINANZ")),
                     qPrintable(e.message()));
        }
        // The year that failed left the loaded one as it was.
        QCOMPARE(financial.endDate(), QDate(2024, 12, 31));
        connection.close();
    }
};

QTEST_GUILESS_MAIN(TestYears)
#include "test_years.moc"
