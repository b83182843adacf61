// Bringing up an installation: on an archive the sequence repairs, installs
// the reports and registers the register, then hands out a context whose
// parameters refuse a year after 2025; a connection that does not open names
// the archive without its password; a failing maintenance statement leaves
// the session closed. (A refused catalogue and a missing SQLite archive are
// tested through the command line, which opens its installation this way.)
#include "foundation/database/Connection.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "startup/InstallationSession.h"
#include "store/HlmDBCds.h"
#include "support/TestDatabases.h"
#include "support/TestInstallation.h"
#include "support/TestSupport.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

const ProgramIdentity Program{u"modellocu"_s, u"" MODELLOCU_VERSION ""_s, u"Modello CU 2025"_s};

KbrParams::ProgramRunner noUpdateProgram()
{
    return [](const QString&, const QStringList&) { return false; };
}

// An installation with the project's catalogue for the database's engine,
// the report definitions and the year parameters; prepare runs on the
// database before.
std::unique_ptr<cu::test::TestInstallation> installation(const TestDatabase& db,
                                                         const std::function<void(Connection&)>& prepare)
{
    auto inst = std::make_unique<cu::test::TestInstallation>();
    Connection setup;
    setup.open(db.params());
    prepare(setup);
    inst->installCatalogue(setup);
    cu::test::writeFile(inst->folders().etc() + u"modellocu.ini"_s,
                        "[Params]\nZFUP_AnfId = 55\nZFUP_AnsId = 55\nZFUP_DwgId = 1\n");
    return inst;
}

} // namespace

class TestInstallationSession : public QObject
{
    Q_OBJECT

private slots:
    void opensThroughTheSequence_data() { TestDatabases::addEngineColumns(); }
    void opensThroughTheSequence()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        const auto inst = installation(db, [](Connection& setup) { cu::test::createArchive(setup); });
        ScriptedOperator op;
        InstallationSession session(inst->folders(), op, Program, noUpdateProgram());
        QVERIFY(session.open(db.params(), 2025));
        QVERIFY2(op.texts(Severity::Error).isEmpty(), qPrintable(op.texts(Severity::Error).join(u'\n')));
        QVERIFY(session.isOpen());
        AppContext& context = session.context();
        QVERIFY(context.connection && context.connection->isConnected());
        QVERIFY(context.store && context.catalogue && context.params);
        QCOMPARE(context.catalogue->engine(), db.params().driver);
        // The maintenance ran (what the repairs change is tested with the start-up).
        QCOMPARE(cu::test::scalar(*context.connection, u"SELECT COUNT(*) FROM TYRPT_REPORT"_s), 2);
        // The parameters of the settings, guarded by the year check.
        QCOMPARE(context.params->GetParams(ParamManager::AnfId).toInt(), 55);
        QVERIFY(!context.params->setParams(ParamManager::AnfId, u"2026"_s));
        QVERIFY(context.params->setParams(ParamManager::AnfId, u"2018"_s));
    }

    void unreachableServerNamesTheArchive()
    {
        TestDatabase db(TestDatabases::Sqlite);
        const auto inst = installation(db, [](Connection&) {});
        ConnectionParams params;
        params.driver = u"QPSQL"_s;
        params.host = u"127.0.0.1"_s;
        params.port = 1; // nothing listens there
        params.database = u"paghe"_s;
        params.user = u"operatore"_s;
        params.password = u"segreta"_s;
        ScriptedOperator op;
        InstallationSession session(inst->folders(), op, Program, noUpdateProgram());
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
        TestDatabase db(TestDatabases::Sqlite);
        // A database without the payroll tables: the first repair fails.
        const auto inst = installation(
            db, [](Connection& setup) { cu::test::execute(setup, u"CREATE TABLE TVUOTA (ID INTEGER)"_s); });
        ScriptedOperator op;
        InstallationSession session(inst->folders(), op, Program, noUpdateProgram());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, session.open(db.params(), 2024));
        QVERIFY(!session.isOpen());
        QVERIFY(!session.context().connection);
    }
};

QTEST_GUILESS_MAIN(TestInstallationSession)
#include "test_installationsession.moc"
