// Two savers of one table at the same time, each on its own connection (two
// writers of one SQLite file, two sessions of one PostgreSQL database, and two
// processes on one SQLite file): row numbers stay distinct and no row is
// lost.
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"
#include "support/StoreFixture.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QtTest>
#include <thread>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::StoreFixture;

namespace {

constexpr int SavesPerWriter = 25;

// Appends and saves one row at a time; returns the first error, if any.
QString runSaver(const ConnectionParams& params, const QString& tag)
{
    try {
        Connection connection;
        connection.open(params);
        HlmDBCds store(connection);
        cu::test::setStoreYear(store);
        Dataset dataset;
        store.open(dataset, u"TPROVA"_s);
        for (int i = 0; i < SavesPerWriter; ++i) {
            dataset.append();
            dataset.setValue(u"SNOME", u"%1-%2"_s.arg(tag).arg(i));
            dataset.setValue(u"SCODFIS", u"CF%1%2"_s.arg(tag).arg(i));
            dataset.post();
            store.save(dataset, u"TPROVA"_s, 1 + i % 2, 2024);
        }
        return QString();
    } catch (const Error& e) {
        return e.message();
    }
}

void addTestTable(StoreFixture& fixture)
{
    fixture.addStructure(u"TPROVA"_s, 2024,
                         {{u"SNOME"_s, FieldType::String, 20}, {u"SCODFIS"_s, FieldType::String, 16}}, false,
                         true, u"saficodfiscale=SCODFIS"_s);
}

// The test binary run as one saver: "--saver <SQLite file> <tag>".
int runSaverProcess(const QString& database, const QString& tag)
{
    ConnectionParams params;
    params.database = database;
    const QString error = runSaver(params, tag);
    if (error.isEmpty())
        return 0;
    QTextStream(stderr) << error << '\n';
    return 1;
}

} // namespace

class TestConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void twoSaversNeitherCollideNorLose_data() { cu::test::TestDatabases::addEngineColumns(); }
    void twoSaversNeitherCollideNorLose()
    {
        QFETCH(QString, engine);
        StoreFixture fixture(engine);
        CU_REQUIRE_STORE(fixture);
        addTestTable(fixture);
        const ConnectionParams params = fixture.database().params();

        QString errorA;
        QString errorB;
        std::thread a([&] { errorA = runSaver(params, u"A"_s); });
        std::thread b([&] { errorB = runSaver(params, u"B"_s); });
        a.join();
        b.join();
        QVERIFY2(errorA.isEmpty(), qPrintable(errorA));
        QVERIFY2(errorB.isEmpty(), qPrintable(errorB));
        checkBothSaved(fixture);
    }
    void twoProcessesOnOneSqliteFile()
    {
        StoreFixture fixture(cu::test::TestDatabases::Sqlite);
        CU_REQUIRE_STORE(fixture);
        addTestTable(fixture);
        const QString database = fixture.database().params().database;
        QProcess a;
        QProcess b;
        for (auto [process, tag] : {std::pair{&a, "A"}, std::pair{&b, "B"}})
            process->start(QCoreApplication::applicationFilePath(),
                           {u"--saver"_s, database, QString::fromLatin1(tag)});
        for (QProcess* process : {&a, &b}) {
            QVERIFY(process->waitForFinished(120000));
            QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0,
                     process->readAllStandardError().constData());
        }
        checkBothSaved(fixture);
    }

private:
    void checkBothSaved(StoreFixture& fixture)
    {
        const int rows = 2 * SavesPerWriter;
        QCOMPARE(fixture.count(u"tfis_datifiscali"_s), rows);
        StoreStatement distinct(fixture.connection(), u"SELECT COUNT(DISTINCT ifisrigo), MAX(ifisrigo),"
                                                      " COUNT(DISTINCT iafiid) FROM tfis_datifiscali"_s);
        distinct.exec({});
        QVERIFY(distinct.next());
        QCOMPARE(distinct.value(0).toInt(), rows);
        QCOMPARE(distinct.value(1).toInt(), rows);
        QCOMPARE(distinct.value(2).toInt(), rows);
        QCOMPARE(fixture.count(u"tcds_struttura"_s, u"icdsrigo = %1"_s.arg(rows)), 1);
        // One row of TCRF_CROFISCALE per month, however the savers met.
        QCOMPARE(fixture.count(u"tcrf_crofiscale"_s), 2);

        HlmDBCds store(fixture.connection());
        cu::test::setStoreYear(store);
        Dataset all;
        store.open(all, u"TPROVA"_s);
        QCOMPARE(all.recordCount(), rows);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--saver") == 0)
        return runSaverProcess(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestConcurrency test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_concurrency.moc"
