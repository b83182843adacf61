// Start-up of the payroll connection and the parameter check: a missing or
// altered catalogue and an old program refuse to connect; without the
// program-wide connection object the connection is refused; once connected
// the repairs, the report installation and the register registration run;
// the financial year is checked against the chart of accounts.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/KbrConnessione.h"
#include "foundation/installation/KbrParams.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"
#include "support/ArchiveFixture.h"
#include "support/CatalogueTestSupport.h"
#include "support/TestDatabases.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace cu;
using cu::test::RecordingOperator;
using cu::test::TestDatabase;

namespace {

const QString SignatureMessage =
    QStringLiteral("Certificato query non trovato od errato. Aggiornare il programma \"Gestione compensi\"");

ProgramIdentity program(const QString& version)
{
    return {QStringLiteral("modellocu"), version, QStringLiteral("Modello CU 2025")};
}

// An installation folder with the project's catalogue built into etc/kbr.
struct Installation
{
    QTemporaryDir dir;
    Folders folders{dir.path()};

    void buildCatalogue(const Connection& connection)
    {
        QDir().mkpath(folders.etcKbr());
        cu::test::projectCatalogue(folders.etcKbr(), connection);
    }
    void copyReports()
    {
        QFile::copy(cu::test::sourceRoot() + QStringLiteral("/resources/etc/kbr/kbr_Report.xml"),
                    folders.etcKbr() + QStringLiteral("kbr_Report.xml"));
    }
};

qint64 scalar(Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

void exec(Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    QVERIFY2(query.exec(sql), qPrintable(sql));
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void missingCatalogueRefusesToConnect()
    {
        Installation inst;
        HlmQueryText catalogue;
        RecordingOperator op;
        KbrConnessione start(inst.folders, catalogue, op, program(QStringLiteral("1.0.0")));
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        Connection connection;
        QVERIFY(!start.OpenConnection(&connection, db.params()));
        QVERIFY(!connection.isConnected());
        QCOMPARE(op.errors, QStringList{SignatureMessage});
    }

    void alteredSignatureRefusesToConnect()
    {
        Installation inst;
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        Connection probe;
        probe.open(db.params());
        inst.buildCatalogue(probe);
        probe.close();
        QFile signature(inst.folders.etcKbr() + QStringLiteral("kbr_QueryText.unxc"));
        QVERIFY(signature.open(QIODevice::WriteOnly));
        signature.write("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF\r\n");
        signature.close();

        HlmQueryText catalogue;
        RecordingOperator op;
        KbrConnessione start(inst.folders, catalogue, op, program(QStringLiteral("1.0.0")));
        Connection connection;
        QVERIFY(!start.OpenConnection(&connection, db.params()));
        QVERIFY(!connection.isConnected());
        QCOMPARE(op.errors, QStringList{SignatureMessage});
    }

    void olderProgramRefusesToConnect()
    {
        Installation inst;
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        Connection probe;
        probe.open(db.params());
        inst.buildCatalogue(probe);
        probe.close();

        HlmQueryText catalogue;
        RecordingOperator op;
        KbrConnessione start(inst.folders, catalogue, op, program(QStringLiteral("0.9.9")));
        Connection connection;
        QVERIFY(!start.OpenConnection(&connection, db.params()));
        QVERIFY(!connection.isConnected());
        QCOMPARE(op.errors.size(), 1);
        QVERIFY(op.errors[0].startsWith(u"AGGIORNARE IL PROGRAMMA"));
    }

    void noConnectionObjectIsRefused()
    {
        Installation inst;
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        Connection probe;
        probe.open(db.params());
        inst.buildCatalogue(probe);
        probe.close();
        HlmQueryText catalogue;
        RecordingOperator op;
        KbrConnessione start(inst.folders, catalogue, op, program(QStringLiteral("1.0.0")));
        try {
            start.OpenConnection(nullptr, db.params());
            QFAIL("the connection was not refused");
        } catch (const Error& e) {
            QCOMPARE(e.message(), QStringLiteral("Connessione al database non consentita"));
        }
    }

    void maintenanceRunsAfterConnecting_data() { cu::test::TestDatabases::addEngineColumns(); }
    void maintenanceRunsAfterConnecting()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Installation inst;
        {
            Connection setup;
            setup.open(db.params());
            cu::test::createArchive(setup);
            inst.buildCatalogue(setup);
            inst.copyReports();
            // Rows that the repairs change.
            exec(setup, QStringLiteral(
                            "INSERT INTO TREGS_REGISTRI (IREGSID, IACOMID, IANFID, IMESID, ITNOID, ICOSID) "
                            "VALUES (1, 1, 55, 1, 1, 1)"));
            exec(setup,
                 QStringLiteral(
                     "INSERT INTO TVARR_VARRITENUTE (IVARRID, IREGSID, IRICEID, FVARRRITDIP, FVARRRITAMM, "
                     "FVARRIMPONIBILEDIP, FVARRIMPONIBILEAMM, FVARRPERCIMPDIP, FVARRPERCIMPAMM) VALUES "
                     "(1, 1, 14, 0, 0, 100, 100, 100, 100), (2, 1, 15, 5, 5, 100, 100, 100, 100), "
                     "(3, 1, 7, 0, 0, 100, 100, 100, 100)"));
            exec(setup,
                 QStringLiteral("INSERT INTO TCRF_CROFISCALE (ICRFID, SCRFPROGRAMMA, ICRFANNO, ICRFMESE) "
                                "VALUES (1, 'eli', 2024, NULL)"));
            exec(setup, QStringLiteral("INSERT INTO TAFI_ANAFISCALE (IAFIID, ICRFID) VALUES (1, 1)"));
            exec(setup,
                 QStringLiteral("INSERT INTO TAFI_ANAFISCALE (IAFIID, ICRFID, SAFICOGNOME) VALUES (2, 1, "
                                "'ROSSI')"));
        }

        HlmQueryText catalogue;
        RecordingOperator op;
        KbrConnessione start(inst.folders, catalogue, op, program(QStringLiteral("1.0.0")));
        Connection connection;
        QVERIFY(start.OpenConnection(&connection, db.params()));
        QVERIFY(op.errors.isEmpty());

        // Repairs: taxable amounts without contribution cleared on codes 14 and 15 only.
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE "
                                                   "FVARRIMPONIBILEDIP = 0 AND FVARRPERCIMPDIP = 0")),
                 1);
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TVARR_VARRITENUTE WHERE "
                                                   "FVARRIMPONIBILEAMM = 0 AND FVARRPERCIMPAMM = 0")),
                 1);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT COUNT(*) FROM TCUFO_FONDICU WHERE ICUFOTIPOSCUOLA = 1")),
                 1);
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TAFI_ANAFISCALE")), 1);

        // Reports and the compensation register.
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT")), 2);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT IYRPTVERSION FROM TYRPT_REPORT WHERE IYRPTID = 1100601")),
                 3);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT COUNT(*) FROM TYAPVRFO_APPFOLDER WHERE IYAPVRFOID = 11006 "
                                       "AND IYAPPID = 11")),
                 1);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT IYRFOID_P FROM TYRFO_REPORTFOLDER WHERE IYRFOID = 11006")),
                 11001);

        // A newer stored version is kept; the same version is written again only on request.
        exec(connection,
             QStringLiteral("UPDATE TYRPT_REPORT SET IYRPTVERSION = 9, SYRPTNOTE = 'locale' WHERE "
                            "IYRPTID = 1100601"));
        QCOMPARE(start.installReports(connection), 2);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT IYRPTVERSION FROM TYRPT_REPORT WHERE IYRPTID = 1100601")),
                 9);
        exec(connection, QStringLiteral("UPDATE TYRPT_REPORT SET IYRPTVERSION = 3 WHERE IYRPTID = 1100601"));
        start.installReports(connection, true);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT WHERE SYRPTNOTE = 'locale'")),
                 0);

        // Running the start-up again adds nothing.
        connection.close();
        QVERIFY(start.OpenConnection(&connection, db.params()));
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT")), 2);
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TYAPVRFO_APPFOLDER")), 1);
        connection.close();
    }

    void missingReportFileStillRegisters()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        Installation inst;
        {
            Connection setup;
            setup.open(db.params());
            cu::test::createArchive(setup);
            inst.buildCatalogue(setup);
        }
        HlmQueryText catalogue;
        RecordingOperator op;
        KbrConnessione start(inst.folders, catalogue, op, program(QStringLiteral("1.0.0")));
        Connection connection;
        QVERIFY(start.OpenConnection(&connection, db.params()));
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT")), 0);
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TYRFO_REPORTFOLDER")), 1);
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

        QTest::newRow("2026 refused") << "ZFUP_AnfId" << QVariant(QStringLiteral("2026")) << ""
                                      << "add" << false << false;
        QTest::newRow("id of 2026 refused") << "ZFUP_AnfId" << QVariant(57) << ""
                                            << "add" << false << false;
        QTest::newRow("2018 without check") << "ZFUP_AnfId" << QVariant(QStringLiteral("2018")) << ""
                                            << "fail" << true << false;
        QTest::newRow("nothing chosen") << "ZFUP_AnfId" << QVariant() << ""
                                        << "add" << false << false;
        QTest::newRow("other parameter") << "ZFUP_DwgId" << QVariant(1) << ""
                                         << "fail" << true << false;
        QTest::newRow("pay run in 2019") << "ZFUP_AnfId" << QVariant(55) << "payrun"
                                         << "fail" << true << false;
        QTest::newRow("site manages chart") << "ZFUP_AnfId" << QVariant(55) << "afam"
                                            << "fail" << true << false;
        QTest::newRow("account exists") << "ZFUP_AnfId" << QVariant(55) << "account"
                                        << "fail" << true << false;
        QTest::newRow("update adds account") << "ZFUP_AnfId" << QVariant(55) << ""
                                             << "add" << true << true;
        QTest::newRow("update adds nothing") << "ZFUP_AnfId" << QVariant(55) << ""
                                             << "none" << false << true;
        QTest::newRow("update cannot start") << "ZFUP_AnfId" << QVariant(QStringLiteral("2019")) << ""
                                             << "fail" << false << true;
    }
    void financialYearCheck()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, candidate);
        QFETCH(QString, setup);
        QFETCH(QString, runnerDoes);
        QFETCH(bool, accepted);
        QFETCH(bool, runnerCalled);

        TestDatabase db(cu::test::TestDatabases::Sqlite);
        QTemporaryDir folder;
        Connection connection;
        connection.open(db.params());
        cu::test::createArchive(connection);
        auto catalogue = cu::test::projectCatalogue(folder.path(), connection);
        exec(connection, QStringLiteral("DELETE FROM TTIM_PIANOCONTI"));
        exec(connection,
             QStringLiteral("INSERT INTO TPACO_PARAMCONTRIB (IPACOID, IDWGID, IANFID, IDWGANFID, LPACOAFAM) "
                            "VALUES (1, 1, 55, 1055, %1)")
                 .arg(setup == u"afam" ? 1 : 0));
        if (setup == u"payrun")
            exec(connection,
                 QStringLiteral("INSERT INTO TNAF_ELABORAZIONI (INAFID, IANFID, IMESID) VALUES (1, 50, 1)"));
        if (setup == u"account")
            exec(connection, QStringLiteral("INSERT INTO TTIM_PIANOCONTI (ITIMID) VALUES (500001)"));

        ParamManager params(folder.path());
        params.setParams(ParamManager::AnfId, 55);
        RecordingOperator op;
        QString calledWith;
        QStringList arguments;
        KbrParams module(
            connection, *catalogue, params, op, [&](const QString& program, const QStringList& args) {
                calledWith = program;
                arguments = args;
                if (runnerDoes == u"add")
                    exec(connection, QStringLiteral("INSERT INTO TTIM_PIANOCONTI (ITIMID) VALUES (200001)"));
                return runnerDoes != u"fail";
            });
        QCOMPARE(params.setParams(key, candidate), accepted);
        QCOMPARE(!calledWith.isEmpty(), runnerCalled);
        if (runnerCalled) {
            QCOMPARE(calledWith, QDir(folder.path()).filePath(QStringLiteral("bin/aggPdC2019.exe")));
            QCOMPARE(arguments, QStringList{db.params().database});
            QCOMPARE(op.errors.isEmpty(), runnerDoes != u"fail");
        }
        connection.close();
    }

    void siteYearOfAFinancialYear()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        QTemporaryDir folder;
        Connection connection;
        connection.open(db.params());
        cu::test::createArchive(connection);
        auto catalogue = cu::test::projectCatalogue(folder.path(), connection);
        exec(connection,
             QStringLiteral("INSERT INTO TPACO_PARAMCONTRIB (IPACOID, IDWGID, IANFID, IDWGANFID, LPACOAFAM) "
                            "VALUES (1, 1, 54, 1054, 0), (2, 1, 55, 1055, 1)"));
        ParamManager params(folder.path());
        params.setParams(ParamManager::AnfId, 55);
        RecordingOperator op;
        KbrParams module(connection, *catalogue, params, op,
                         [](const QString&, const QStringList&) { return false; });
        QCOMPARE(module.pacoField(QStringLiteral("LPACOAFAM")).toInt(), 1);
        module.selectFinancialYear(54);
        QCOMPARE(module.siteYearId(), 1054);
        QCOMPARE(module.pacoField(QStringLiteral("LPACOAFAM")).toInt(), 0);
        module.selectFinancialYear(57);
        QCOMPARE(module.siteYearId(), 0);
        QVERIFY(module.pacoField(QStringLiteral("LPACOAFAM")).isNull());
        connection.close();
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
