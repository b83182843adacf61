// Start-up of the payroll connection and the parameter check: a missing or
// altered catalogue and an old program refuse to connect; without the
// program-wide connection object the connection is refused; once connected
// the repairs, the report installation and the register registration run;
// the financial year is checked against the chart of accounts.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/KbrConnessione.h"
#include "foundation/installation/KbrParams.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "support/TestDatabases.h"
#include "support/TestInstallation.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::execute;
using cu::test::scalar;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

ProgramIdentity program(const QString& version)
{
    return {u"modellocu"_s, version, u"Modello CU 2025"_s};
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void refusalsConnectNothing_data()
    {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("message"); // its beginning
        const QString signature =
            u"Certificato query non trovato od errato. Aggiornare il programma \"Gestione compensi\""_s;
        // clang-format off
        QTest::newRow("missing catalogue") << "missing" << "1.0.0" << signature;
        QTest::newRow("altered signature") << "altered" << "1.0.0" << signature;
        QTest::newRow("older program") << "" << "0.9.9" << u"AGGIORNARE IL PROGRAMMA"_s;
        QTest::newRow("no connection object") << "object" << "1.0.0" << u"Connessione al database non consentita"_s;
        // clang-format on
    }
    void refusalsConnectNothing()
    {
        QFETCH(QString, refusal);
        QFETCH(QString, version);
        QFETCH(QString, message);
        TestDatabase db(TestDatabases::Sqlite);
        cu::test::TestInstallation inst;
        if (refusal != u"missing") {
            Connection probe;
            probe.open(db.params());
            inst.installCatalogue(probe);
        }
        if (refusal == u"altered")
            cu::test::corruptSignature(inst.folders().etcKbr() + u"kbr_QueryText.unxc"_s);
        HlmQueryText catalogue;
        ScriptedOperator op;
        KbrConnessione start(inst.folders(), catalogue, op, program(version));
        Connection connection;
        try {
            QVERIFY(!start.OpenConnection(refusal == u"object" ? nullptr : &connection, db.params()));
        } catch (const Error& e) {
            op.report(e);
        }
        QVERIFY(!connection.isConnected());
        const QStringList errors = op.texts(Severity::Error);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(message), qPrintable(errors.first()));
    }

    void maintenanceRunsAfterConnecting_data() { TestDatabases::addEngineColumns(); }
    void maintenanceRunsAfterConnecting()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        cu::test::TestInstallation inst;
        {
            Connection setup;
            setup.open(db.params());
            cu::test::createArchive(setup);
            inst.installCatalogue(setup);
            // Rows that the repairs change.
            execute(setup, u"INSERT INTO TREGS_REGISTRI (IREGSID, IACOMID, IANFID, IMESID, ITNOID, ICOSID)"
                           " VALUES (1, 1, 55, 1, 1, 1)"_s);
            execute(setup,
                    u"INSERT INTO TVARR_VARRITENUTE (IVARRID, IREGSID, IRICEID, FVARRRITDIP, FVARRRITAMM,"
                    " FVARRIMPONIBILEDIP, FVARRIMPONIBILEAMM, FVARRPERCIMPDIP, FVARRPERCIMPAMM) VALUES"
                    " (1, 1, 14, 0, 0, 100, 100, 100, 100), (2, 1, 15, 5, 5, 100, 100, 100, 100),"
                    " (3, 1, 7, 0, 0, 100, 100, 100, 100)"_s);
            execute(setup, u"INSERT INTO TCRF_CROFISCALE (ICRFID, SCRFPROGRAMMA, ICRFANNO, ICRFMESE)"
                           " VALUES (1, 'eli', 2024, NULL)"_s);
            execute(setup, u"INSERT INTO TAFI_ANAFISCALE (IAFIID, ICRFID) VALUES (1, 1)"_s);
            execute(setup,
                    u"INSERT INTO TAFI_ANAFISCALE (IAFIID, ICRFID, SAFICOGNOME) VALUES (2, 1, 'ROSSI')"_s);
        }
        HlmQueryText catalogue;
        ScriptedOperator op;
        KbrConnessione start(inst.folders(), catalogue, op, program(u"1.0.0"_s));
        Connection connection;
        QVERIFY(start.OpenConnection(&connection, db.params()));
        QVERIFY(op.texts(Severity::Error).isEmpty());
        const auto count = [&](const QString& sql) {
            return scalar(connection, u"SELECT COUNT(*) FROM "_s + sql);
        };
        // Repairs: taxable amounts without contribution cleared on codes 14 and 15 only.
        QCOMPARE(count(u"TVARR_VARRITENUTE WHERE FVARRIMPONIBILEDIP = 0 AND FVARRPERCIMPDIP = 0"_s), 1);
        QCOMPARE(count(u"TVARR_VARRITENUTE WHERE FVARRIMPONIBILEAMM = 0 AND FVARRPERCIMPAMM = 0"_s), 1);
        QCOMPARE(count(u"TCUFO_FONDICU WHERE ICUFOTIPOSCUOLA = 1"_s), 1);
        QCOMPARE(count(u"TAFI_ANAFISCALE"_s), 1);
        // Reports and the compensation register.
        QCOMPARE(count(u"TYRPT_REPORT"_s), 2);
        QCOMPARE(scalar(connection, u"SELECT IYRPTVERSION FROM TYRPT_REPORT WHERE IYRPTID = 1100601"_s), 3);
        QCOMPARE(count(u"TYAPVRFO_APPFOLDER WHERE IYAPVRFOID = 11006 AND IYAPPID = 11"_s), 1);
        QCOMPARE(scalar(connection, u"SELECT IYRFOID_P FROM TYRFO_REPORTFOLDER WHERE IYRFOID = 11006"_s),
                 11001);
        // A newer stored version is kept; the same version is written again only on request.
        execute(connection,
                u"UPDATE TYRPT_REPORT SET IYRPTVERSION = 9, SYRPTNOTE = 'locale' WHERE IYRPTID = 1100601"_s);
        QCOMPARE(start.installReports(connection), 2);
        QCOMPARE(scalar(connection, u"SELECT IYRPTVERSION FROM TYRPT_REPORT WHERE IYRPTID = 1100601"_s), 9);
        execute(connection, u"UPDATE TYRPT_REPORT SET IYRPTVERSION = 3 WHERE IYRPTID = 1100601"_s);
        start.installReports(connection, true);
        QCOMPARE(count(u"TYRPT_REPORT WHERE SYRPTNOTE = 'locale'"_s), 0);
        // Running the start-up again adds nothing.
        connection.close();
        QVERIFY(start.OpenConnection(&connection, db.params()));
        QCOMPARE(count(u"TYRPT_REPORT"_s), 2);
        QCOMPARE(count(u"TYAPVRFO_APPFOLDER"_s), 1);
        connection.close();
    }

    void missingReportFileStillRegisters()
    {
        TestDatabase db(TestDatabases::Sqlite);
        cu::test::TestInstallation inst;
        {
            Connection setup;
            setup.open(db.params());
            cu::test::createArchive(setup);
            inst.installCatalogue(setup);
        }
        QVERIFY(QFile::remove(inst.folders().etcKbr() + u"kbr_Report.xml"_s));
        HlmQueryText catalogue;
        ScriptedOperator op;
        KbrConnessione start(inst.folders(), catalogue, op, program(u"1.0.0"_s));
        Connection connection;
        QVERIFY(start.OpenConnection(&connection, db.params()));
        QCOMPARE(scalar(connection, u"SELECT COUNT(*) FROM TYRPT_REPORT"_s), 0);
        QCOMPARE(scalar(connection, u"SELECT COUNT(*) FROM TYRFO_REPORTFOLDER"_s), 1);
        connection.close();
    }

    void financialYearCheck_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("candidate");
        QTest::addColumn<QString>("setup");      // what the archive holds
        QTest::addColumn<QString>("runnerDoes"); // "none", "fail", "add"
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("runnerCalled");
        const QString anf = u"ZFUP_AnfId"_s;
        // clang-format off
        QTest::newRow("2026 refused") << anf << QVariant(u"2026"_s) << "" << "add" << false << false;
        QTest::newRow("id of 2026 refused") << anf << QVariant(57) << "" << "add" << false << false;
        QTest::newRow("2018 without check") << anf << QVariant(u"2018"_s) << "" << "fail" << true << false;
        QTest::newRow("nothing chosen") << anf << QVariant() << "" << "add" << false << false;
        QTest::newRow("other parameter") << "ZFUP_DwgId" << QVariant(1) << "" << "fail" << true << false;
        QTest::newRow("pay run in 2019") << anf << QVariant(55) << "payrun" << "fail" << true << false;
        QTest::newRow("site manages chart") << anf << QVariant(55) << "afam" << "fail" << true << false;
        QTest::newRow("account exists") << anf << QVariant(55) << "account" << "fail" << true << false;
        QTest::newRow("update adds account") << anf << QVariant(55) << "" << "add" << true << true;
        QTest::newRow("update adds nothing") << anf << QVariant(55) << "" << "none" << false << true;
        QTest::newRow("update cannot start") << anf << QVariant(u"2019"_s) << "" << "fail" << false << true;
        // clang-format on
    }
    void financialYearCheck()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, candidate);
        QFETCH(QString, setup);
        QFETCH(QString, runnerDoes);
        QFETCH(bool, runnerCalled);
        TestDatabase db(TestDatabases::Sqlite);
        QTemporaryDir folder;
        Connection connection;
        connection.open(db.params());
        cu::test::createArchive(connection);
        auto catalogue = cu::test::projectCatalogue(folder.path(), connection);
        execute(connection, u"DELETE FROM TTIM_PIANOCONTI"_s);
        execute(connection, u"INSERT INTO TPACO_PARAMCONTRIB (IPACOID, IDWGID, IANFID, IDWGANFID, LPACOAFAM)"
                            " VALUES (1, 1, 55, 1055, %1)"_s.arg(setup == u"afam" ? 1 : 0));
        if (setup == u"payrun")
            execute(connection,
                    u"INSERT INTO TNAF_ELABORAZIONI (INAFID, IANFID, IMESID) VALUES (1, 50, 1)"_s);
        if (setup == u"account")
            execute(connection, u"INSERT INTO TTIM_PIANOCONTI (ITIMID) VALUES (500001)"_s);
        ParamManager params(folder.path());
        params.setParams(ParamManager::AnfId, 55);
        ScriptedOperator op;
        QString calledWith;
        QStringList arguments;
        KbrParams module(
            connection, *catalogue, params, op, [&](const QString& program, const QStringList& args) {
                calledWith = program;
                arguments = args;
                if (runnerDoes == u"add")
                    execute(connection, u"INSERT INTO TTIM_PIANOCONTI (ITIMID) VALUES (200001)"_s);
                return runnerDoes != u"fail";
            });
        QTEST(params.setParams(key, candidate), "accepted");
        QCOMPARE(!calledWith.isEmpty(), runnerCalled);
        if (runnerCalled) {
            QCOMPARE(calledWith, QDir(folder.path()).filePath(u"bin/aggPdC2019.exe"_s));
            QCOMPARE(arguments, QStringList{db.params().database});
            QCOMPARE(op.texts(Severity::Error).isEmpty(), runnerDoes != u"fail");
        }
        connection.close();
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
