// The demo archive imported on SQLite and on PostgreSQL and written as the
// telematic supply, as the demo does: the verifier, which knows the agency's
// format, finds nothing in it, and its certificate lines carry the head of
// the agency (certificate progressive at 42-46, blank user space, operation
// and filler, confirmation box at 89).
#include "foundation/installation/AppContext.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/DemoImport.h"
#include "store/HlmDBCds.h"
#include "support/TelematicTestSupport.h"
#include "support/TestDatabases.h"
#include "telematic/TelematicProduction.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFile>
#include <QTest>

using namespace cu;
using namespace cu::test;

namespace {

constexpr qint64 DemoPeople = 40;

// The agent's signatory and signature, as the demo completes them after the import.
void completeAgent(HlmDBCds& store)
{
    Dataset agent;
    store.open(agent, QStringLiteral("TCUS_DATISOST"));
    QVERIFY(!agent.isEmpty());
    agent.first();
    agent.edit();
    agent.setValue(u"SSOSCFRAPPR", QStringLiteral("RSSMRA70A01H501S"));
    agent.setValue(u"SCARCODICE", QStringLiteral("1"));
    agent.setValue(u"SSOSCOGNRAPPR", QStringLiteral("ROSSI"));
    agent.setValue(u"SSOSNOMERAPPR", QStringLiteral("MARIO"));
    agent.setValue(u"SSOSFIRMACOM", QStringLiteral("MARIO ROSSI"));
    agent.post();
    store.save(agent, QStringLiteral("TCUS_DATISOST"));
}

} // namespace

class TestDemoSupply : public QObject
{
    Q_OBJECT

private slots:
    void demoSupplyHasNoFinding_data() { TestDatabases::addEngineColumns(); }
    void demoSupplyHasNoFinding();
};

void TestDemoSupply::demoSupplyHasNoFinding()
{
    QFETCH(QString, engine);
    TestDatabase db(engine);
    CU_REQUIRE_DATABASE(db);
    Connection connection;
    QVERIFY2(connection.open(db.params()), qPrintable(connection.lastError()));
    DemoImport demo(connection);
    demo.createArchive(DemoPeople);
    ImportParameters always;
    always.overwrite = OverwritePolicy::Always;
    QVERIFY(demo.import(always).imported > 0);

    const TelematicInstallation installation;
    QFile::remove(installation.folders().tabelle() + QStringLiteral("TNOT_NOTE.cds"));
    QVERIFY(QFile::copy(demo.folders().tabelle() + QStringLiteral("TNOT_NOTE.cds"),
                        installation.folders().tabelle() + QStringLiteral("TNOT_NOTE.cds")));
    ScriptedOperator op;
    HlmDBCds store(connection, &op);
    store.setProgramme(QStringLiteral("eli"));
    store.setYear(2024);
    store.setMonth(-1);
    store.setShowWait(false);
    completeAgent(store);
    if (QTest::currentTestFailed())
        return;
    AppContext context;
    context.folders = installation.folders();
    context.connection = &connection;
    context.catalogue = &demo.catalogue();
    context.store = &store;
    context.op = &op;
    op.queueAnswer(Operator::Answer::Yes); // the checks' question, when they find something
    TelematicOptions options;
    options.outputPath = installation.root() + QStringLiteral("/CUR25");
    const TelematicResult result = produceTelematicFile(context, options);
    QCOMPARE(result.files.size(), 1);
    QVERIFY(result.certificates > 0);

    const FileLayouts layouts(installation.folders());
    const VerifyReport report = TelematicVerifier(layouts).verify(options.outputPath);
    QVERIFY2(report.ok(), qPrintable(report.defects.join(u'\n')));
    QVERIFY(report.counts.value(u'D') > 0 && report.counts.value(u'G') > 0 && report.counts.value(u'H') > 0);
    QFile file(options.outputPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty() || !QByteArray("DGH").contains(line[0]))
            continue;
        QVERIFY(line.mid(41, 5).toInt() > 0);
        QCOMPARE(line.mid(69, 14), QByteArray(14, ' ')); // user space
        QCOMPARE(line.mid(84, 4), QByteArray(4, ' '));   // filler
        QVERIFY(line[88] == '0' || line[88] == '1');
    }
}

QTEST_GUILESS_MAIN(TestDemoSupply)
#include "test_demo_supply.moc"
