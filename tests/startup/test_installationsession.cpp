// Bringing up an installation: on an archive the sequence repairs, installs
// the reports and registers the register, then hands out a context whose
// parameters refuse a year after 2025; a refused catalogue connects nothing;
// a missing SQLite archive is reported without creating it; a connection
// that does not open names the archive; a failing maintenance statement
// leaves the session closed.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"
#include "startup/InstallationSession.h"
#include "store/HlmDBCds.h"
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

const ProgramIdentity Program{QStringLiteral("modellocu"), QStringLiteral(MODELLOCU_VERSION),
                              QStringLiteral("Modello CU 2025")};

// An installation folder: the project's catalogue for the engine of a
// connection, the report definitions and the year parameters.
struct Installation
{
    QTemporaryDir dir;
    Folders folders{dir.path()};

    explicit Installation(const Connection& connection)
    {
        QDir().mkpath(folders.etcKbr());
        cu::test::projectCatalogue(folders.etcKbr(), connection);
        QFile::copy(cu::test::sourceRoot() + QStringLiteral("/resources/etc/kbr/kbr_Report.xml"),
                    folders.etcKbr() + QStringLiteral("kbr_Report.xml"));
        QFile settings(folders.etc() + QStringLiteral("modellocu.ini"));
        if (!settings.open(QIODevice::WriteOnly))
            qFatal("cannot write the settings");
        settings.write("[Params]\nZFUP_AnfId = 55\n");
    }
};

qint64 scalar(Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

bool exec(Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    return query.exec(sql);
}

KbrParams::ProgramRunner noUpdateProgram()
{
    return [](const QString&, const QStringList&) { return false; };
}

} // namespace

class TestInstallationSession : public QObject
{
    Q_OBJECT

private slots:
    void opensThroughTheSequence_data() { cu::test::TestDatabases::addEngineColumns(); }
    void opensThroughTheSequence()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        std::unique_ptr<Installation> inst;
        {
            Connection setup;
            setup.open(db.params());
            cu::test::createArchive(setup);
            inst = std::make_unique<Installation>(setup);
            QVERIFY(
                exec(setup, QStringLiteral("INSERT INTO TREGS_REGISTRI (IREGSID, IACOMID, IANFID, IMESID, "
                                           "ITNOID, ICOSID) VALUES (1, 1, 55, 1, 1, 1)")));
            QVERIFY(exec(setup, QStringLiteral("INSERT INTO TVARR_VARRITENUTE (IVARRID, IREGSID, IRICEID, "
                                               "FVARRRITDIP, FVARRRITAMM, FVARRIMPONIBILEDIP, "
                                               "FVARRIMPONIBILEAMM, FVARRPERCIMPDIP, FVARRPERCIMPAMM) "
                                               "VALUES (1, 1, 14, 0, 5, 100, 100, 100, 100)")));
        }

        RecordingOperator op;
        InstallationSession session(inst->folders, op, Program, noUpdateProgram());
        QVERIFY(!session.isOpen());
        QVERIFY(session.open(db.params(), 2025));
        QVERIFY2(op.errors.isEmpty(), qPrintable(op.errors.join(u'\n')));
        QVERIFY(session.isOpen());

        AppContext& context = session.context();
        QVERIFY(context.connection && context.connection->isConnected());
        QVERIFY(context.store && context.catalogue && context.params);
        QCOMPARE(context.op, &op);
        QCOMPARE(context.workingYear, 2025);
        QCOMPARE(context.folders.root(), inst->folders.root());
        QCOMPARE(context.catalogue->engine(), db.params().driver);
        Connection& connection = *context.connection;
        QCOMPARE(scalar(connection, QStringLiteral("SELECT FVARRIMPONIBILEDIP FROM TVARR_VARRITENUTE")), 0);
        QCOMPARE(scalar(connection, QStringLiteral("SELECT FVARRIMPONIBILEAMM FROM TVARR_VARRITENUTE")), 100);
        QCOMPARE(scalar(connection, QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT")), 2);
        QCOMPARE(scalar(connection,
                        QStringLiteral("SELECT COUNT(*) FROM TYRFO_REPORTFOLDER WHERE IYRFOID = 11006")),
                 1);

        // The parameters of the settings, guarded by the year check.
        QCOMPARE(context.params->GetParams(ParamManager::AnfId).toInt(), 55);
        QVERIFY(!context.params->setParams(ParamManager::AnfId, QStringLiteral("2026")));
        QVERIFY(context.params->setParams(ParamManager::AnfId, QStringLiteral("2018")));
    }

    void refusedCatalogueConnectsNothing()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        std::unique_ptr<Installation> inst;
        {
            Connection setup;
            setup.open(db.params());
            cu::test::createArchive(setup);
            inst = std::make_unique<Installation>(setup);
        }
        QFile signature(inst->folders.etcKbr() + QStringLiteral("kbr_QueryText.unxc"));
        QVERIFY(signature.open(QIODevice::WriteOnly));
        signature.write("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF\r\n");
        signature.close();

        RecordingOperator op;
        InstallationSession session(inst->folders, op, Program, noUpdateProgram());
        QVERIFY(!session.open(db.params(), 2024));
        QVERIFY(!session.isOpen());
        QCOMPARE(op.errors,
                 QStringList{QStringLiteral("Certificato query non trovato od errato. Aggiornare il "
                                            "programma \"Gestione compensi\"")});
        QVERIFY(!session.context().connection);
        QVERIFY(!session.context().store);

        // Another program's version is refused the same way.
        RecordingOperator later;
        const ProgramIdentity other{QStringLiteral("altro"), QStringLiteral("1.0.0"),
                                    QStringLiteral("Altro")};
        Connection probe;
        probe.open(db.params());
        Installation signedOne(probe);
        probe.close();
        InstallationSession unknown(signedOne.folders, later, other, noUpdateProgram());
        QVERIFY(!unknown.open(db.params(), 2024));
        QCOMPARE(later.errors.size(), 1);
        QVERIFY(later.errors[0].startsWith(u"AGGIORNARE IL PROGRAMMA \"Altro\""));
    }

    void missingSqliteArchiveIsNotCreated()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        std::unique_ptr<Installation> inst;
        {
            Connection setup;
            setup.open(db.params());
            inst = std::make_unique<Installation>(setup);
        }
        ConnectionParams params = db.params();
        params.database = inst->folders.usrKbr() + QStringLiteral("modellocu.sqlite");
        RecordingOperator op;
        InstallationSession session(inst->folders, op, Program, noUpdateProgram());
        try {
            session.open(params, 2024);
            QFAIL("a missing archive was opened");
        } catch (const EZfError& e) {
            QCOMPARE(e.message(), QStringLiteral("Archivio SQLite non trovato: ") + params.database);
        }
        QVERIFY(!QFile::exists(params.database));
        QVERIFY(!session.isOpen());
    }

    void unreachableServerNamesTheArchive()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        std::unique_ptr<Installation> inst;
        {
            Connection setup;
            setup.open(db.params());
            inst = std::make_unique<Installation>(setup);
        }
        ConnectionParams params;
        params.driver = QStringLiteral("QPSQL");
        params.host = QStringLiteral("127.0.0.1");
        params.port = 1; // nothing listens there
        params.database = QStringLiteral("paghe");
        params.user = QStringLiteral("operatore");
        params.password = QStringLiteral("segreta");
        RecordingOperator op;
        InstallationSession session(inst->folders, op, Program, noUpdateProgram());
        try {
            session.open(params, 2024);
            QFAIL("an unreachable server was reported as open");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(u"(QPSQL operatore@127.0.0.1:1/paghe)"), qPrintable(e.message()));
            QVERIFY(!e.message().contains(u"segreta"));
        }
        QVERIFY(!session.isOpen());
    }

    void failingMaintenanceLeavesItClosed()
    {
        TestDatabase db(cu::test::TestDatabases::Sqlite);
        std::unique_ptr<Installation> inst;
        {
            // A database without the payroll tables: the first repair fails.
            Connection setup;
            setup.open(db.params());
            QVERIFY(exec(setup, QStringLiteral("CREATE TABLE TVUOTA (ID INTEGER)")));
            inst = std::make_unique<Installation>(setup);
        }
        RecordingOperator op;
        InstallationSession session(inst->folders, op, Program, noUpdateProgram());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, session.open(db.params(), 2024));
        QVERIFY(!session.isOpen());
        QVERIFY(!session.context().connection);
    }
};

QTEST_GUILESS_MAIN(TestInstallationSession)
#include "test_installationsession.moc"
