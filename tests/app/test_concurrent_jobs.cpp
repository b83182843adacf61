// Jobs of one year on SQLite and PostgreSQL, each command in a process of
// its own: while another session holds the year for an import, the file
// production and the certificate print are refused with a message naming the
// import, exit non-zero and write nothing; while it holds the year for a
// print, an import is refused and stores nothing; once the year is free the
// jobs run.
#include "CommandLine.h"
#include "foundation/database/JobLock.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr qint64 People = 6;

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
    void jobsExcludeEachOther_data() { TestDatabases::addEngineColumns(); }
    void jobsExcludeEachOther()
    {
        QFETCH(QString, engine);
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        TestDatabase database(engine);
        CU_REQUIRE_DATABASE(database);
        const test::DemoOnDatabase demo(database.params(), People);
        const QStringList import{u"import"_s, u"--sovrascrivi"_s, u"sempre"_s};

        demo.withConnection([&](Connection& connection) {
            const JobLock printing(connection, 2024, JobLock::Job::CertificatePrint);
            const test::Run refused = demo.modellocu(import);
            QVERIFY2(refused.status > 0, qPrintable(refused.out));
            QVERIFY2(refused.err.contains(u"è in corso il lavoro \"stampa dei certificati\" sull'anno 2024"_s),
                     qPrintable(refused.err));
        });
        QCOMPARE(storedCertificates(demo), 0);

        const test::Run imported = demo.modellocu(import);
        QVERIFY2(imported.status == 0, qPrintable(imported.err));
        const qint64 certificates = storedCertificates(demo);
        QVERIFY(certificates > 0);

        const struct
        {
            QStringList args;
            QString output;
        } jobs[] = {
            {{u"file"_s, u"--yes"_s}, u"USR/FJ2024/DichCU/CUR25"_s},
            {{u"print"_s, u"sintetico"_s, u"--nome"_s, u"durante"_s}, u"USR/FJ2024/Stp/durante.pdf"_s}};
        demo.withConnection([&](Connection& connection) {
            const JobLock importing(connection, 2024, JobLock::Job::Import);
            for (const auto& job : jobs) {
                const test::Run run = demo.modellocu(job.args);
                const QString said = run.out + run.err;
                QVERIFY2(run.status > 0, qPrintable(said));
                QVERIFY2(said.contains(u"è in corso il lavoro \"importazione\" sull'anno 2024"_s), qPrintable(said));
                QVERIFY2(!QFile::exists(QDir(demo.root()).filePath(job.output)), qPrintable(job.output));
            }
        });
        QCOMPARE(storedCertificates(demo), certificates);

        const test::Run file = demo.modellocu({u"file"_s, u"--yes"_s});
        QVERIFY2(!file.err.contains(u"è in corso"_s), qPrintable(file.err));
    }
};

QTEST_GUILESS_MAIN(TestConcurrentJobs)
#include "test_concurrent_jobs.moc"
