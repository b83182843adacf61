// The project's query catalogue against a freshly created payroll archive, on
// every engine: each statement that the program names exists, and every
// statement prepares and runs with its parameters bound, its format places
// filled and the clauses its callers append.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "import/demo/CatalogueProbe.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::TestDatabase;

namespace {

const QString LegalClause = u" AND REGS.ITNOID IN (1,2,11)"_s;

// Statements whose callers append the legal-position clause to the text.
const QStringList ClauseAppended = {u"QRY_CUD_RITV"_s,          u"QRY_CUD_VOCE"_s,
                                    u"QRY_CUD_NO_CONG"_s,       u"QRY_CUD_730"_s,
                                    u"QRY_CUD_PERIODI"_s,       u"QRY_CUD_INPS_IMP_ACC"_s,
                                    u"QRY_CUD_INPS_RIT_ACC"_s,  u"QRY_CUD_INPS_IMP_FOND"_s,
                                    u"QRY_CUD_INPS_RIT_FOND"_s, u"QRY_CUD_PREVID_RIT_FOND"_s,
                                    u"QRY_CUD_INPS_MESI"_s};

// The selection's three forms of category condition.
const QStringList SelectionConditions = {
    u" AND (ANAPER.ICALID=:ICALID) "_s,
    u" AND ((REGS.ITNOID IN (10,14,15) AND ( ACOM.LACOMMINIMI=1 OR (SELECT sum(VARR.FVARRRITDIP) "
    "from TVARR_VARRITENUTE VARR where VARR.IREGSID=REGS.IREGSID AND VARR.IVARMID IS NULL AND "
    "VARR.ICOMRID IS NULL AND VARR.IRICEID IN (:RICE_COD_IRPEF_AM,:RICE_COD_IRPEF_TS)) > 0 ))) "_s,
    u"AND ((NOT REGS.ITNOID IN (10,14,15,9,12,13)) OR ((REGS.ITNOID IN (10,14,15) AND ( "
    "ACOM.LACOMMINIMI=1 OR (SELECT sum(VARR.FVARRRITDIP) from TVARR_VARRITENUTE VARR where "
    "VARR.IREGSID=REGS.IREGSID AND VARR.IVARMID IS NULL AND VARR.ICOMRID IS NULL AND VARR.IRICEID "
    "IN (:RICE_COD_IRPEF_AM,:RICE_COD_IRPEF_TS)) > 0 ))))"_s};

struct Named
{
    const char* name;
    const char* type;
};

// Every statement that the program asks the catalogue for by name.
// clang-format off
const Named Required[] = {
    {"QRY_PACO_ANF", "SELECT"}, {"QRY_NAF_EFFETTUATO", "SELECT"}, {"QRY_NAF_CONTI_TEST", "SELECT"},
    {"QRY_YRPT", "EXECUTE"}, {"QRY_YAPVRFO", "EXECUTE"}, {"QRY_YRFO", "EXECUTE"},
    {"QRY_ACOM_FROM_ANAPER", "SELECT"}, {"QRY_MES", "SELECT"}, {"QRY_MES_COMBO", "SELECT"},
    {"QRY_COT_COS", "SELECT"}, {"QRY_REGS_GRUPPO_TEST", "SELECT"}, {"QRY_CUD_CAL", "SELECT"},
    {"QRY_CUD_AFS", "SELECT"}, {"QRY_PACO", "SELECT"}, {"QRY_SED", "SELECT"}, {"QRY_CUD_IMP", "SELECT"},
    {"QRY_CAL_FILTRO", "SELECT"}, {"QRY_TNO_FILTRO", "SELECT"}, {"QRY_QAR_FILTRO", "SELECT"},
    {"QRY_CUD_CONG", "SELECT"}, {"QRY_CED_ACOM", "SELECT"}, {"QRY_ANAABT", "SELECT"},
    {"QRY_ANASEX", "SELECT"}, {"QRY_ANAFISC", "SELECT"}, {"QRY_CUD_TNO", "SELECT"},
    {"QRY_CUD_AUTON_REGSID", "SELECT"}, {"QRY_CUD_INPS_IMP_ACC", "SELECT"},
    {"QRY_CUD_INPS_RIT_ACC", "SELECT"}, {"QRY_CUD_INPS_IMP_FOND", "SELECT"},
    {"QRY_CUD_INPS_RIT_FOND", "SELECT"}, {"QRY_CUD_PREVID_RIT_FOND", "SELECT"},
    {"QRY_CUD_INPS_MESI", "SELECT"}, {"QRY_CUD_INT_ACC_SOLO_ACF", "SELECT"},
    {"QRY_CUD_INT_DMA_STO_CALC_DIP", "SELECT"}, {"QRY_ELH_ADET", "SELECT"},
    {"QRY_CUD_AUTON_MINIMI", "SELECT"}, {"QRY_CUD_AUTON_SOM", "SELECT"},
    {"QRY_EMENS_FPLS_EXENPALS_RIT", "SELECT"}, {"QRY_EMENS_FPLS_EXENPALS_RITLP", "SELECT"},
    {"QRY_CUD_AUTON_NON_SOGG", "SELECT"}, {"QRY_CUD_AUTON_SPESE_RIMB", "SELECT"},
    {"QRY_CUD_RIT", "SELECT"}, {"QRY_CUD_REDD", "SELECT"}, {"QRY_CUD_RITV", "SELECT"},
    {"QRY_CUD_VOCE", "SELECT"}, {"QRY_CUD_NO_CONG", "SELECT"}, {"QRY_CUD_BORSISTA_LORDO", "SELECT"},
    {"QRY_CUD_730", "SELECT"}, {"QRY_ABL_ACOM_AP", "SELECT"}, {"QRY_CUD_FPC", "SELECT"},
    {"QRY_ANAFPC", "SELECT"}, {"QRY_CUD_PERIODI", "SELECT"}, {"QRY_TDLA", "SELECT"},
    {"QRY_CUD_GIORNI", "SELECT"}, {"QRY_CUD_ASSENZE", "SELECT"}, {"QRY_CUD_CALENDARIO", "SELECT"},
    {"QRY_REPAIR", "EXECUTE"}, {"QRY_DEMO_COMUNI", "SELECT"}, {"QRY_DEMO_STATI", "SELECT"}};
// clang-format on

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyStatementRuns_data() { cu::test::TestDatabases::addEngineColumns(); }
    void everyStatementRuns()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        QTemporaryDir folder;
        {
            Connection connection;
            connection.open(db.params());
            cu::test::createArchive(connection);
            auto catalogue = cu::test::projectCatalogue(folder.path(), connection);

            for (const Named& n : Required) {
                QVERIFY2(
                    catalogue->find(QString::fromLatin1(n.name), QString::fromLatin1(n.type), 0).has_value(),
                    n.name);
            }
            for (int index = 0; index < 5; ++index)
                QVERIFY(catalogue->find(u"QRY_REPAIR"_s, u"EXECUTE"_s, index));

            demo::CatalogueProbe probe(connection, *catalogue);
            for (const QString& name : ClauseAppended)
                probe.setAppendedClause(name, LegalClause);
            probe.setAppendedClause(u"QRY_CUD_IMP"_s, SelectionConditions.last());
            const QVector<demo::ProbeFailure> failures = probe.run();
            QStringList messages;
            for (const demo::ProbeFailure& f : failures)
                messages.append(f.statement + u": "_s + f.message);
            QVERIFY2(failures.isEmpty(), qPrintable(messages.join(u'\n')));
            QVERIFY(probe.statementsRun() >= int(std::size(Required)) + 4);

            // The selection accepts each of its three forms of category condition.
            for (const QString& condition : SelectionConditions) {
                SqlQuery query(connection);
                catalogue->GetQuery(u"QRY_CUD_IMP"_s, query, 0, u"SELECT"_s);
                query.setSql(query.sql() + condition);
                for (const QString& name : query.parameterNames())
                    query.setParam(name, name == u"IANFID" ? 55 : 1);
                query.open();
                QVERIFY(!query.next());
            }
        }
    }

    // A statement that names a missing column is reported, the others still run.
    void brokenStatementIsReported()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        CU_REQUIRE_DATABASE(db);
        QTemporaryDir folder;
        Connection connection;
        connection.open(db.params());
        cu::test::createArchive(connection);
        HlmQueryText catalogue;
        cu::test::buildCatalogue(
            catalogue, folder.path(),
            u"<statement name=\"QRY_GOOD\" type=\"SELECT\"><sql>SELECT IMESID FROM TMES_MESI WHERE IMESID = "
            ":IMESID</sql></statement>"
            "<statement name=\"QRY_BAD\" type=\"SELECT\"><sql>SELECT SMESNOTHERE FROM TMES_MESI</sql>"
            "</statement>"
            "<statement name=\"QRY_FORMAT\" type=\"SELECT\"><sql>SELECT IMESID FROM TMES_MESI WHERE "
            "IMESID IN (%s) AND %s %s</sql></statement>"_s);
        demo::CatalogueProbe probe(connection, catalogue);
        const QVector<demo::ProbeFailure> failures = probe.run();
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures[0].statement.startsWith(u"QRY_BAD"));
        QCOMPARE(probe.statementsRun(), 2);
        connection.close();
    }

    void formatPlacesGetNeutralText_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("list") << "WHERE A IN (%s) %s" << "WHERE A IN (0) ";
        QTest::newRow("condition") << "WHERE A = 1 AND %s" << "WHERE A = 1 AND 1=1";
        QTest::newRow("number") << "WHERE REGS.IMESID=%d" << "WHERE REGS.IMESID=0";
        QTest::newRow("operator") << "WHERE A <%s B" << "WHERE A < B";
        // clang-format on
    }
    void formatPlacesGetNeutralText()
    {
        QFETCH(QString, sql);
        QFETCH(QString, expected);
        QCOMPARE(demo::CatalogueProbe::fillFormatPlaces(sql), expected);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
