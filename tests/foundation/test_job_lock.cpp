// The jobs of one year exclude each other on every engine, each job on a
// connection of its own as two processes or computers would hold them: the
// second is refused after its wait, naming the holder; a holder that ended
// or died leaves the year free; another year is not blocked. A read snapshot
// does not see what others commit while it lasts; a server session that is
// terminated is reported as a lost connection, once, not as a statement
// error.
#include "foundation/database/Connection.h"
#include "foundation/database/ConnectionLost.h"
#include "foundation/database/JobLock.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace cu;
using cu::test::execute;
using cu::test::scalar;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr std::chrono::milliseconds ShortWait = 300ms;

// The refusal of a job, or an empty text when it got the lock.
QString refusal(Connection& connection, int year, JobLock::Job job)
{
    try {
        JobLock lock(connection, year, job, ShortWait);
        return QString();
    } catch (const EZfError& e) {
        return e.message();
    }
}

// The id of a process that has ended.
qint64 endedProcess()
{
    QProcess process;
    process.start(u"true"_s, {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999999;
}

} // namespace

class TestJobLock : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Connection> m_first;
    std::unique_ptr<Connection> m_second;

private slots:
    void init()
    {
        const QString engine = QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0);
        m_db = std::make_unique<TestDatabase>(engine);
        CU_REQUIRE_DATABASE(*m_db);
        m_first = std::make_unique<Connection>();
        m_second = std::make_unique<Connection>();
        m_first->open(m_db->params());
        m_second->open(m_db->params());
    }
    void cleanup()
    {
        m_second.reset();
        m_first.reset();
        m_db.reset();
    }

    void secondJobIsRefused_data() { TestDatabases::addEngineColumns(); }
    void secondJobIsRefused()
    {
        {
            JobLock import(*m_first, 2024, JobLock::Job::Import);
            const QString message = refusal(*m_second, 2024, JobLock::Job::TelematicFile);
            const QString expected =
                u"Impossibile avviare il lavoro \"produzione del file telematico\": è in corso"
                " il lavoro \"importazione\" sull'anno 2024, avviato il .* sul computer \"%1\""
                " \\(processo %2\\)"_s.arg(QRegularExpression::escape(QSysInfo::machineHostName()))
                    .arg(QCoreApplication::applicationPid());
            QVERIFY2(QRegularExpression(expected).match(message).hasMatch(), qPrintable(message));
            QCOMPARE(refusal(*m_second, 2023, JobLock::Job::CertificatePrint), QString());
        }
        QCOMPARE(refusal(*m_second, 2024, JobLock::Job::CertificatePrint), QString());
        QCOMPARE(refusal(*m_first, 2024, JobLock::Job::Import), QString());
    }

    void deadHolderLeavesTheYearFree_data() { TestDatabases::addEngineColumns(); }
    void deadHolderLeavesTheYearFree()
    {
        // What a killed job leaves: its row, and on the server no lock (its
        // session is gone).
        {
            JobLock first(*m_first, 2024, JobLock::Job::Import);
        }
        execute(*m_first, u"INSERT INTO TZFJ_LAVORI (IZFJANNO, SZFJLAVORO, SZFJHOST, IZFJPID, SZFJTOKEN,"
                          " SZFJINIZIO) VALUES (2024, 'importazione', '%1', %2, 'x', '2026-01-01 10:00:00')"_s
                              .arg(QSysInfo::machineHostName())
                              .arg(endedProcess()));
        QCOMPARE(refusal(*m_second, 2024, JobLock::Job::TelematicFile), QString());
        QCOMPARE(scalar(*m_first, u"SELECT COUNT(*) FROM TZFJ_LAVORI"_s), 0);
    }

    void snapshotIgnoresLaterCommits_data() { TestDatabases::addEngineColumns(); }
    void snapshotIgnoresLaterCommits()
    {
        execute(*m_first, u"CREATE TABLE TTST_PROVA (ITSTID INTEGER PRIMARY KEY)"_s);
        execute(*m_first, u"INSERT INTO TTST_PROVA (ITSTID) VALUES (1)"_s);
        Transaction snapshot(*m_first, TransactionKind::ReadSnapshot);
        QCOMPARE(scalar(*m_first, u"SELECT COUNT(*) FROM TTST_PROVA"_s), 1);
        execute(*m_second, u"INSERT INTO TTST_PROVA (ITSTID) VALUES (2)"_s);
        QCOMPARE(scalar(*m_first, u"SELECT COUNT(*) FROM TTST_PROVA"_s), 1);
        snapshot.commit();
        QCOMPARE(scalar(*m_first, u"SELECT COUNT(*) FROM TTST_PROVA"_s), 2);
    }

    void terminatedSessionIsALostConnection_data() { TestDatabases::addEngineRow(TestDatabases::Postgres); }
    void terminatedSessionIsALostConnection()
    {
        // A statement error inside a transaction is no loss (the server still
        // answers), the session's end is.
        {
            Transaction transaction(*m_first);
            QVERIFY_THROWS_EXCEPTION(DatabaseError, execute(*m_first, u"SELECT * FROM TNON_ESISTE"_s));
            QVERIFY(!m_first->isLost());
        }
        const qint64 backend = scalar(*m_first, u"SELECT pg_backend_pid()"_s);
        execute(*m_second, u"SELECT pg_terminate_backend(%1)"_s.arg(backend));
        SqlQuery query(*m_first);
        query.setSql(u"SELECT 1 AS UNO"_s);
        try {
            query.open();
            QFAIL("no error after the session ended");
        } catch (const ConnectionLost& e) {
            QVERIFY2(e.message().startsWith(u"La connessione al server del database si è interrotta"_s),
                     qPrintable(e.message()));
        }
        QVERIFY(m_first->isLost());
    }
};

QTEST_GUILESS_MAIN(TestJobLock)
#include "test_job_lock.moc"
