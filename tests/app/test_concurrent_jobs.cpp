// Jobs of one year started while a command-line import writes it, on SQLite
// and PostgreSQL: the file production and the certificate print are refused
// with a message naming the import, exit non-zero and write nothing; once
// the import has ended, the year is free again.
#include "CommandLine.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr qint64 People = 800;
constexpr qint64 CertificatesBeforeJobs = 5;

qint64 storedCertificates(const test::DemoOnDatabase& demo)
{
    qint64 count = 0;
    demo.withConnection([&](Connection& connection) {
        QSqlQuery query(connection.database());
        query.exec(u"SELECT COUNT(DISTINCT fis.ifisrigo) FROM tfis_datifiscali fis JOIN tcds_struttura cds"
                   " ON cds.icdsid = fis.icdsid WHERE cds.scdsnome = 'TCUD_DATICUD'"_s);
        if (query.next())
            count = query.value(0).toLongLong();
    });
    return count;
}

} // namespace

class TestConcurrentJobs : public QObject
{
    Q_OBJECT
private slots:
    void jobsWaitForTheImport_data() { TestDatabases::addEngineColumns(); }
    void jobsWaitForTheImport()
    {
        QFETCH(QString, engine);
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        TestDatabase database(engine);
        CU_REQUIRE_DATABASE(database);
        const test::DemoOnDatabase demo(database.params(), People);

        QProcess* import = demo.start({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s}, this);
        QVERIFY(import->waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (storedCertificates(demo) < CertificatesBeforeJobs && import->state() == QProcess::Running &&
               waited.elapsed() < 300000)
            QTest::qWait(20);

        const struct
        {
            QStringList args;
            QString output;
        } jobs[] = {
            {{u"file"_s, u"--yes"_s}, u"USR/FJ2024/DichCU/CUR25"_s},
            {{u"print"_s, u"sintetico"_s, u"--nome"_s, u"durante"_s}, u"USR/FJ2024/Stp/durante.pdf"_s}};
        QList<QProcess*> started;
        for (const auto& job : jobs)
            started.append(demo.start(job.args, this));
        for (int i = 0; i < started.size(); ++i) {
            QVERIFY(started[i]->waitForFinished(60000));
            const QString said =
                QString::fromUtf8(started[i]->readAllStandardOutput() + started[i]->readAllStandardError());
            QVERIFY2(started[i]->exitCode() > 0, qPrintable(said));
            QVERIFY2(said.contains(u"è in corso il lavoro \"importazione\" sull'anno 2024"_s),
                     qPrintable(said));
            QVERIFY2(!QFile::exists(QDir(demo.root()).filePath(jobs[i].output)), qPrintable(jobs[i].output));
        }
        QVERIFY2(import->state() == QProcess::Running, "the import ended before the jobs were refused");

        QVERIFY(import->waitForFinished(600000));
        QVERIFY2(import->exitCode() == 0, import->readAllStandardError().constData());
        const test::Run file = demo.modellocu({u"file"_s, u"--yes"_s});
        QVERIFY2(!file.err.contains(u"è in corso"_s), qPrintable(file.err));
    }
};

QTEST_GUILESS_MAIN(TestConcurrentJobs)
#include "test_concurrent_jobs.moc"
