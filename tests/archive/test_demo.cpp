// The demo archive: fiscal codes with their check character, the pay
// arithmetic, the same archive for the same seed, every branch of the import
// present in a small archive, and a demo installation built from the build
// tree whose catalogue loads and runs.
#include "certificates/checks/FiscalCode.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/demo/DemoArchive.h"
#include "import/demo/DemoInstallation.h"
#include "import/demo/DemoPay.h"
#include "import/demo/FiscalCode.h"
#include "support/ArchiveFixture.h"
#include "support/CatalogueTestSupport.h"
#include "support/TestDatabases.h"
#include "support/TestPaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace cu;
using cu::demo::DemoPay;
using cu::demo::FiscalCode;
using cu::demo::Sex;

namespace {

const QStringList DumpedTables = {QStringLiteral("TANA_ANAGRAFE"),     QStringLiteral("TABT_ABITAZIONI"),
                                  QStringLiteral("TACOM_ANACOMPENSI"), QStringLiteral("TREGS_REGISTRI"),
                                  QStringLiteral("TVARR_VARRITENUTE"), QStringLiteral("TVACR_VALORICOMPENSI"),
                                  QStringLiteral("TADEM_DETRMENSILI"), QStringLiteral("TCONG_CONGUAGLI"),
                                  QStringLiteral("TADET_DETRAZIONI"),  QStringLiteral("TADEF_FAMILIARI"),
                                  QStringLiteral("TCFSA_LIQNOIPA")};

Currency units(qint64 value)
{
    return Currency::fromUnits(value);
}

// A small demo archive in its own SQLite file.
struct DemoDatabase
{
    QTemporaryDir folder;
    Connection connection;
    std::unique_ptr<HlmQueryText> catalogue;

    explicit DemoDatabase(qint64 people, quint64 seed = 2024)
    {
        ConnectionParams params;
        params.database = folder.filePath(QStringLiteral("demo.sqlite"));
        connection.open(params);
        cu::test::createArchive(connection);
        catalogue = cu::test::projectCatalogue(folder.path(), connection);
        demo::DemoOptions options;
        options.people = people;
        options.seed = seed;
        ScriptedOperator op;
        demo::DemoArchive::write(connection, Folders(cu::test::buildRoot()), *catalogue, options, op);
    }

    qint64 count(const QString& sql)
    {
        QSqlQuery q(connection.database());
        if (!q.exec(sql) || !q.next())
            throw Error(sql);
        return q.value(0).toLongLong();
    }

    QByteArray digest()
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString& table : DumpedTables) {
            QSqlQuery q(connection.database());
            q.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
            while (q.next()) {
                for (int i = 0; i < q.record().count(); ++i)
                    hash.addData(q.value(i).toString().toUtf8() + '|');
            }
        }
        return hash.result();
    }
};

} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

private slots:
    void personalFiscalCode_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<bool>("female");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("expected");
        QTest::newRow("textbook example") << "Rossi"
                                          << "Mario" << QDate(1985, 12, 10) << false << "A562"
                                          << "RSSMRA85T10A562S";
        QTest::newRow("four consonants in the name") << "Bianchi"
                                                     << "Francesco" << QDate(1970, 1, 5) << false << "H501"
                                                     << "BNCFNC70A05H501";
        QTest::newRow("woman, short surname, apostrophe") << "D'Angelo"
                                                          << "Ada" << QDate(1999, 2, 28) << true << "F205"
                                                          << "DNGDAA99B68F205";
        QTest::newRow("born abroad") << "Fo"
                                     << "Li" << QDate(2001, 7, 1) << false << "Z112"
                                     << "FOXLIX01L01Z112";
    }
    void personalFiscalCode()
    {
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QFETCH(QDate, birth);
        QFETCH(bool, female);
        QFETCH(QString, place);
        QFETCH(QString, expected);
        const QString code =
            FiscalCode::person(surname, name, birth, female ? Sex::Female : Sex::Male, place);
        QVERIFY2(code.startsWith(expected), qPrintable(code));
        QCOMPARE(code.size(), 16);
        QVERIFY(FiscalCode::isValidPerson(code));
        QVERIFY(cu::isValidFiscalCode(code)); // the data checks' own validation agrees
        QString altered = code;
        altered[15] = altered[15] == u'A' ? u'B' : u'A';
        QVERIFY(!FiscalCode::isValidPerson(altered));
    }

    void entityFiscalCode()
    {
        QCOMPARE(FiscalCode::entity(QStringLiteral("8018525058")), QStringLiteral("80185250588"));
        QVERIFY(FiscalCode::isValidEntity(QStringLiteral("80185250588")));
        QVERIFY(!FiscalCode::isValidEntity(QStringLiteral("80185250589")));
        QVERIFY(!FiscalCode::isValidEntity(QStringLiteral("8018525058")));
    }

    void payArithmetic()
    {
        QCOMPARE(DemoPay::irpefGross(units(28000)), units(6440));
        QCOMPARE(DemoPay::irpefGross(units(50000)), units(14140));
        QCOMPARE(DemoPay::irpefGross(units(60000)), units(18440));
        QCOMPARE(DemoPay::employmentDeduction(units(15000), 365, true), units(1955));
        QCOMPARE(DemoPay::employmentDeduction(units(10000), 100, true), units(690));
        QCOMPARE(DemoPay::employmentDeduction(units(10000), 100, false), units(1380));
        QCOMPARE(DemoPay::employmentDeduction(units(28000), 365, true), units(1975));
        QCOMPARE(DemoPay::employmentDeduction(units(35000), 365, true), Currency::fromRaw(13672700));
        QCOMPARE(DemoPay::employmentDeduction(units(60000), 365, true), Currency());
        QCOMPARE(DemoPay::percentOf(Currency::fromRaw(1000500), 3000), Currency::fromRaw(300200));
        Currency sum;
        for (int month = 1; month <= 11; ++month)
            sum += DemoPay::monthlyShare(units(1000), 11, month == 11);
        QCOMPARE(sum, units(1000));
    }

    void sameSeedSameArchive()
    {
        DemoDatabase first(60, 7);
        DemoDatabase second(60, 7);
        DemoDatabase other(60, 8);
        QCOMPARE(first.digest(), second.digest());
        QVERIFY(first.digest() != other.digest());
        first.connection.close();
        second.connection.close();
        other.connection.close();
    }

    void archiveExercisesTheImport()
    {
        DemoDatabase db(80);
        auto& d = db;
        QCOMPARE(d.count(QStringLiteral("SELECT COUNT(*) FROM TANA_ANAGRAFE")), 80);
        QCOMPARE(d.count(QStringLiteral("SELECT COUNT(*) FROM TANA_ANAGRAFE WHERE SANACODFISCALE IS NULL")),
                 1);

        QSqlQuery codes(d.connection.database());
        QVERIFY(codes.exec(
            QStringLiteral("SELECT SANACODFISCALE FROM TANA_ANAGRAFE WHERE SANACODFISCALE IS NOT NULL")));
        QSet<QString> seen;
        while (codes.next()) {
            const QString code = codes.value(0).toString();
            QVERIFY2(cu::isValidFiscalCode(code), qPrintable(code));
            QVERIFY2(!seen.contains(code), qPrintable(code));
            seen.insert(code);
        }

        const QList<std::pair<const char*, QString>> present = {
            {"permanent staff", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID IN (1, 2)"},
            {"fixed term", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID IN (3, 4, 5)"},
            {"co.co.co.", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID = 11"},
            {"doctoral scholarship", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE LACOMBORSADOTTORATO = 1"},
            {"scholarship",
             "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID = 17 AND LACOMBORSADOTTORATO = 0"},
            {"reason A", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE SREGSCAUSALE = 'A'"},
            {"reason M", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE SREGSCAUSALE = 'M'"},
            {"reason P", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE SREGSCAUSALE = 'P'"},
            {"flat rate without withholding", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI ACOM WHERE LACOMMINIMI "
                                              "= 1 AND NOT EXISTS (SELECT 1 FROM "
                                              "TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON V.IREGSID = "
                                              "R.IREGSID WHERE R.IACOMID = ACOM.IACOMID)"},
            {"FPLS", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE IACOMSOGGENPALS > 0"},
            {"INPS and FPLS",
             "SELECT COUNT(DISTINCT R.IACOMID) FROM TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON V.IREGSID = "
             "R.IREGSID WHERE V.IRICEID = 6 AND R.IACOMID IN (SELECT R2.IACOMID FROM TREGS_REGISTRI R2 JOIN "
             "TVARR_VARRITENUTE V2 ON V2.IREGSID = R2.IREGSID WHERE V2.IRICEID = 13)"},
            {"adjustment records", "SELECT COUNT(*) FROM TCONG_CONGUAGLI"},
            {"employees without adjustment", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI ACOM WHERE ITNOID IN "
                                             "(1, 2) AND NOT EXISTS (SELECT 1 FROM "
                                             "TCONG_CONGUAGLI C WHERE C.IACOMID = ACOM.IACOMID)"},
            {"exported to NoiPA", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE LREGSEXPCSFA = 1"},
            {"NoiPA liquidations", "SELECT COUNT(*) FROM TCFSA_LIQNOIPA"},
            {"exported and not exported with IRPEF",
             "SELECT COUNT(*) FROM TACOM_ANACOMPENSI ACOM WHERE EXISTS (SELECT 1 FROM TREGS_REGISTRI R JOIN "
             "TVARR_VARRITENUTE V ON V.IREGSID = R.IREGSID WHERE R.IACOMID = ACOM.IACOMID AND V.IRICEID = 7 "
             "AND "
             "R.LREGSEXPCSFA = 1) AND EXISTS (SELECT 1 FROM TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON "
             "V.IREGSID "
             "= R.IREGSID WHERE R.IACOMID = ACOM.IACOMID AND V.IRICEID = 7 AND R.LREGSEXPCSFA = 0)"},
            {"arrears", "SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE IRICEID = 12 AND FVARRRITDIP > 0"},
            {"pension fund",
             "SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE IRICEID IN (14, 15) AND (FVARRRITDIP > 0 "
             "OR FVARRRITAMM > 0)"},
            {"adhesion after 2007",
             "SELECT COUNT(*) FROM TAFP_ADESIONIFP WHERE DAFPADESIONE >= '2007-01-01'"},
            {"730 items",
             "SELECT COUNT(*) FROM TVACR_VALORICOMPENSI V JOIN TCOMR_COMPENSIVOCI C ON C.ICOMRID = "
             "V.ICOMRID WHERE C.ICOMRGRUPPO = 4"},
            {"suspended IRPEF", "SELECT COUNT(*) FROM TVACR_VALORICOMPENSI WHERE ICOMRID = 10054"},
            {"supplementary treatment",
             "SELECT COUNT(*) FROM TVACR_VALORICOMPENSI WHERE ICOMRID IN (10069, 11069)"},
            {"spouse", "SELECT COUNT(*) FROM TADET_DETRAZIONI WHERE LADETCONCAR = 1"},
            {"spouse without code",
             "SELECT COUNT(*) FROM TADET_DETRAZIONI WHERE LADETCONCAR = 1 AND SADETCFCONCAR "
             "IS NULL"},
            {"first child", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE IADEFORDINE = 1"},
            {"further children", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE IADEFORDINE > 1"},
            {"disabled child", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE LADEFHANDYCAP = 1"},
            {"child without code", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE SADEFCODFISC IS NULL"},
            {"other dependants", "SELECT COUNT(*) FROM TADET_DETRAZIONI WHERE IADETALTRI > 0"},
            {"two legal positions", "SELECT COUNT(*) FROM (SELECT IACOMID FROM TREGS_REGISTRI GROUP BY "
                                    "IACOMID HAVING COUNT(DISTINCT "
                                    "ITNOID) > 1) T"},
            {"relationship ending in 2024", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE DACOMFINERAPP "
                                            "BETWEEN '2024-01-01' AND '2024-12-31'"},
            {"municipal advance", "SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE IRICEID = 9"},
            {"absences", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE IREGSASSENZE > 0"},
            {"calendar", "SELECT COUNT(*) FROM TCALP_CALENDARIO"},
        };
        for (const auto& [what, sql] : present)
            QVERIFY2(d.count(sql) > 0, what);

        // The selection lists every position with registers.
        SqlQuery list(d.connection);
        d.catalogue->GetQuery(QStringLiteral("QRY_CUD_IMP"), list, 0, QStringLiteral("SELECT"));
        list.setParam(QStringLiteral("IANFID"), 55);
        list.setParam(QStringLiteral("IMESID"), 12);
        list.setParam(QStringLiteral("IDWGID"), 1);
        list.open();
        int rows = 0;
        while (list.next())
            ++rows;
        QCOMPARE(rows, 80);
        d.connection.close();
    }

    void countOutsideTheRangeIsRefused()
    {
        QTemporaryDir folder;
        Connection connection;
        ConnectionParams params;
        params.database = folder.filePath(QStringLiteral("demo.sqlite"));
        connection.open(params);
        cu::test::createArchive(connection);
        auto catalogue = cu::test::projectCatalogue(folder.path(), connection);
        demo::DemoOptions options;
        options.people = demo::DemoOptions::MaxPeople + 1;
        ScriptedOperator op;
        QVERIFY_THROWS_EXCEPTION(
            EZfError,
            demo::DemoArchive::write(connection, Folders(cu::test::buildRoot()), *catalogue, options, op));
        QCOMPARE(connection.database().tables().contains(QStringLiteral("TSED_SEDI")), true);
        connection.close();
    }

    void installationFromTheBuildTree()
    {
        QTemporaryDir root;
        cu::test::RecordingOperator op;
        demo::DemoOptions options;
        options.people = 40;
        demo::DemoInstallation installation(cu::test::buildRoot(), root.path(), options, op);
        installation.prepareFolders();
        installation.copyProgramFiles();
        installation.writeSettings();
        installation.createDatabase();
        installation.verifyCatalogue({QStringLiteral("modellocu"), QStringLiteral(MODELLOCU_VERSION),
                                      QStringLiteral("Modello CU 2025")});
        QVERIFY(op.errors.isEmpty());
        QVERIFY(installation.statementsVerified() > 50);
        const Folders& f = installation.folders();
        for (const QString& path :
             {f.etcKbr() + QStringLiteral("kbr_QueryText.cds"),
              f.etcKbr() + QStringLiteral("kbr_QueryText.unxc"),
              f.etcKbr() + QStringLiteral("kbr_Report.xml"), f.usrKbr() + QStringLiteral("KbrPar.ini"),
              Folders::resolve(f.tabelle(), QStringLiteral("TNOT_NOTE.cds")),
              Folders::resolve(f.res(), QStringLiteral("TCUA_ANNOFIN.cds")), installation.databasePath(),
              demo::DemoInstallation::settingsPath(f)})
            QVERIFY2(QFile::exists(path), qPrintable(path));
        QVERIFY(QDir(f.stp()).exists());
        QVERIFY(QDir(f.dichCU()).exists());
        QCOMPARE(installation.summary().people, 40);

        // Settings that name another archive are left alone.
        QFile settings(demo::DemoInstallation::settingsPath(f));
        QVERIFY(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
        settings.write("[Database]\nDriver = QPSQL\nDatabase = paghe\nHost = server\n");
        settings.close();
        QVERIFY_THROWS_EXCEPTION(EZfError, installation.writeSettings());
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "test_demo.moc"
