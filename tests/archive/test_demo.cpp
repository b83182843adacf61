// The demo archive: every branch of the import present in a small archive
// with valid, distinct fiscal codes, and a demo installation built from the
// build tree whose catalogue loads and runs. (Its pay arithmetic, fiscal
// codes and determinism are pinned by the import snapshot of the demo.)
#include "certificates/checks/FiscalCode.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/demo/DemoArchive.h"
#include "import/demo/DemoInstallation.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;

namespace {

// A payroll archive in its own SQLite file, and the project's catalogue.
struct DemoDatabase
{
    QTemporaryDir folder;
    Connection connection;
    std::unique_ptr<HlmQueryText> catalogue;

    DemoDatabase()
    {
        ConnectionParams params;
        params.database = folder.filePath(u"demo.sqlite"_s);
        connection.open(params);
        cu::test::createArchive(connection);
        catalogue = cu::test::projectCatalogue(folder.path(), connection);
    }

    // Writes a demo archive of this many people.
    void write(qint64 people)
    {
        demo::DemoOptions options;
        options.people = people;
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
};

} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

private slots:

    void archiveExercisesTheImport()
    {
        DemoDatabase d;
        d.write(80);
        QCOMPARE(d.count(u"SELECT COUNT(*) FROM TANA_ANAGRAFE"_s), 80);
        QCOMPARE(d.count(u"SELECT COUNT(*) FROM TANA_ANAGRAFE WHERE SANACODFISCALE IS NULL"_s), 1);

        QSqlQuery codes(d.connection.database());
        QVERIFY(codes.exec(u"SELECT SANACODFISCALE FROM TANA_ANAGRAFE WHERE SANACODFISCALE IS NOT NULL"_s));
        QSet<QString> seen;
        while (codes.next()) {
            const QString code = codes.value(0).toString();
            QVERIFY2(cu::isValidFiscalCode(code), qPrintable(code));
            QVERIFY2(!seen.contains(code), qPrintable(code));
            seen.insert(code);
        }

        // clang-format off
        const QList<std::pair<const char*, QString>> present = {
            {"permanent staff", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID IN (1, 2)"},
            {"fixed term", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID IN (3, 4, 5)"},
            {"co.co.co.", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID = 11"},
            {"doctoral scholarship", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE LACOMBORSADOTTORATO = 1"},
            {"scholarship", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE ITNOID = 17 AND LACOMBORSADOTTORATO = 0"},
            {"reason A", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE SREGSCAUSALE = 'A'"},
            {"reason M", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE SREGSCAUSALE = 'M'"},
            {"reason P", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE SREGSCAUSALE = 'P'"},
            {"flat rate without withholding", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI ACOM WHERE LACOMMINIMI = 1 AND NOT EXISTS (SELECT 1 FROM TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON V.IREGSID = R.IREGSID WHERE R.IACOMID = ACOM.IACOMID)"},
            {"FPLS", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE IACOMSOGGENPALS > 0"},
            {"INPS and FPLS", "SELECT COUNT(DISTINCT R.IACOMID) FROM TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON V.IREGSID = R.IREGSID WHERE V.IRICEID = 6 AND R.IACOMID IN (SELECT R2.IACOMID FROM TREGS_REGISTRI R2 JOIN TVARR_VARRITENUTE V2 ON V2.IREGSID = R2.IREGSID WHERE V2.IRICEID = 13)"},
            {"adjustment records", "SELECT COUNT(*) FROM TCONG_CONGUAGLI"},
            {"employees without adjustment", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI ACOM WHERE ITNOID IN (1, 2) AND NOT EXISTS (SELECT 1 FROM TCONG_CONGUAGLI C WHERE C.IACOMID = ACOM.IACOMID)"},
            {"exported to NoiPA", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE LREGSEXPCSFA = 1"},
            {"NoiPA liquidations", "SELECT COUNT(*) FROM TCFSA_LIQNOIPA"},
            {"exported and not exported with IRPEF", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI ACOM WHERE EXISTS (SELECT 1 FROM TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON V.IREGSID = R.IREGSID WHERE R.IACOMID = ACOM.IACOMID AND V.IRICEID = 7 AND R.LREGSEXPCSFA = 1) AND EXISTS (SELECT 1 FROM TREGS_REGISTRI R JOIN TVARR_VARRITENUTE V ON V.IREGSID = R.IREGSID WHERE R.IACOMID = ACOM.IACOMID AND V.IRICEID = 7 AND R.LREGSEXPCSFA = 0)"},
            {"arrears", "SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE IRICEID = 12 AND FVARRRITDIP > 0"},
            {"pension fund", "SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE IRICEID IN (14, 15) AND (FVARRRITDIP > 0 OR FVARRRITAMM > 0)"},
            {"adhesion after 2007", "SELECT COUNT(*) FROM TAFP_ADESIONIFP WHERE DAFPADESIONE >= '2007-01-01'"},
            {"730 items", "SELECT COUNT(*) FROM TVACR_VALORICOMPENSI V JOIN TCOMR_COMPENSIVOCI C ON C.ICOMRID = V.ICOMRID WHERE C.ICOMRGRUPPO = 4"},
            {"suspended IRPEF", "SELECT COUNT(*) FROM TVACR_VALORICOMPENSI WHERE ICOMRID = 10054"},
            {"supplementary treatment", "SELECT COUNT(*) FROM TVACR_VALORICOMPENSI WHERE ICOMRID IN (10069, 11069)"},
            {"spouse", "SELECT COUNT(*) FROM TADET_DETRAZIONI WHERE LADETCONCAR = 1"},
            {"spouse without code", "SELECT COUNT(*) FROM TADET_DETRAZIONI WHERE LADETCONCAR = 1 AND SADETCFCONCAR IS NULL"},
            {"first child", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE IADEFORDINE = 1"},
            {"further children", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE IADEFORDINE > 1"},
            {"disabled child", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE LADEFHANDYCAP = 1"},
            {"child without code", "SELECT COUNT(*) FROM TADEF_FAMILIARI WHERE SADEFCODFISC IS NULL"},
            {"other dependants", "SELECT COUNT(*) FROM TADET_DETRAZIONI WHERE IADETALTRI > 0"},
            {"two legal positions", "SELECT COUNT(*) FROM (SELECT IACOMID FROM TREGS_REGISTRI GROUP BY IACOMID HAVING COUNT(DISTINCT ITNOID) > 1) T"},
            {"relationship ending in 2024", "SELECT COUNT(*) FROM TACOM_ANACOMPENSI WHERE DACOMFINERAPP BETWEEN '2024-01-01' AND '2024-12-31'"},
            {"municipal advance", "SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE IRICEID = 9"},
            {"absences", "SELECT COUNT(*) FROM TREGS_REGISTRI WHERE IREGSASSENZE > 0"},
            {"calendar", "SELECT COUNT(*) FROM TCALP_CALENDARIO"},
        };
        // clang-format on
        for (const auto& [what, sql] : present)
            QVERIFY2(d.count(sql) > 0, what);

        // The selection lists every position with registers.
        SqlQuery list(d.connection);
        d.catalogue->GetQuery(u"QRY_CUD_IMP"_s, list, 0, u"SELECT"_s);
        list.setParam(u"IANFID"_s, 55);
        list.setParam(u"IMESID"_s, 12);
        list.setParam(u"IDWGID"_s, 1);
        list.open();
        int rows = 0;
        while (list.next())
            ++rows;
        QCOMPARE(rows, 80);
        d.connection.close();
    }

    void countOutsideTheRangeIsRefused()
    {
        DemoDatabase d;
        QVERIFY_THROWS_EXCEPTION(EZfError, d.write(demo::DemoOptions::MaxPeople + 1));
        QVERIFY(d.connection.database().tables().contains(u"TSED_SEDI"_s));
        d.connection.close();
    }

    void installationFromTheBuildTree()
    {
        QTemporaryDir root;
        ScriptedOperator op;
        demo::DemoOptions options;
        options.people = 40;
        demo::DemoInstallation installation(cu::test::buildRoot(), root.path(), options, op);
        installation.prepareFolders();
        installation.copyProgramFiles();
        installation.writeSettings();
        installation.createDatabase();
        installation.verifyCatalogue(
            {u"modellocu"_s, QStringLiteral(MODELLOCU_VERSION), u"Modello CU 2025"_s});
        QVERIFY(op.texts(Severity::Error).isEmpty());
        QVERIFY(installation.statementsVerified() > 50);
        const Folders& f = installation.folders();
        for (const QString& path : {f.etcKbr() + u"kbr_QueryText.cds"_s, f.etcKbr() + u"kbr_QueryText.unxc"_s,
                                    f.etcKbr() + u"kbr_Report.xml"_s, f.usrKbr() + u"KbrPar.ini"_s,
                                    Folders::resolve(f.tabelle(), u"TNOT_NOTE.cds"_s),
                                    Folders::resolve(f.res(), u"TCUA_ANNOFIN.cds"_s),
                                    installation.databasePath(), demo::DemoInstallation::settingsPath(f)})
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
