// The jobs' lock of a financial year: an advisory lock on PostgreSQL, the
// holder's row on SQLite, and the row on both to name the holder.
#include "foundation/database/JobLock.h"

#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/FrameworkSchema.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlQuery>
#include <QSysInfo>
#include <QThread>
#include <QUuid>
#include <cerrno>
#include <signal.h>

namespace cu {

namespace {

constexpr unsigned long RetryPauseMs = 200;
// The first key of the year's advisory lock ("CU"), so that it meets no
// other advisory lock of the database.
constexpr int AdvisoryClass = 0x4355;

const QString InsertRow =
    QStringLiteral("INSERT INTO TZFJ_LAVORI (IZFJANNO, SZFJLAVORO, SZFJHOST, IZFJPID, SZFJTOKEN, SZFJINIZIO) "
                   "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (IZFJANNO) DO NOTHING RETURNING IZFJANNO");
const QString ReplaceRow = QStringLiteral(
    "INSERT INTO TZFJ_LAVORI (IZFJANNO, SZFJLAVORO, SZFJHOST, IZFJPID, SZFJTOKEN, SZFJINIZIO) "
    "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (IZFJANNO) DO UPDATE SET "
    "SZFJLAVORO = excluded.SZFJLAVORO, SZFJHOST = excluded.SZFJHOST, IZFJPID = excluded.IZFJPID, "
    "SZFJTOKEN = excluded.SZFJTOKEN, SZFJINIZIO = excluded.SZFJINIZIO");
const QString ReadRow = QStringLiteral(
    "SELECT SZFJLAVORO, SZFJHOST, IZFJPID, SZFJINIZIO, SZFJTOKEN FROM TZFJ_LAVORI WHERE IZFJANNO = ?");
const QString DeleteRow = QStringLiteral("DELETE FROM TZFJ_LAVORI WHERE IZFJANNO = ? AND SZFJTOKEN = ?");

const QString StartFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

bool processAlive(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

struct JobLock::Holder
{
    QString job;
    QString host;
    qint64 pid = 0;
    QString since;
    QString token;
    bool found = false;

    bool deadOnThisComputer() const
    {
        return found && host == QSysInfo::machineHostName() && !processAlive(pid);
    }

    QString description(int year) const
    {
        if (!found)
            return QStringLiteral("è in corso un altro lavoro sull'anno %1").arg(year);
        const QDateTime start = QDateTime::fromString(since, StartFormat);
        return QStringLiteral("è in corso il lavoro \"%1\" sull'anno %2, avviato il %3 alle %4 sul computer "
                              "\"%5\" (processo %6)")
            .arg(job)
            .arg(year)
            .arg(start.toString(QStringLiteral("dd/MM/yyyy")), start.toString(QStringLiteral("HH:mm:ss")),
                 host)
            .arg(pid);
    }
};

JobLock::JobLock(Connection& connection, int year, Job job, std::chrono::milliseconds wait)
    : m_connection(connection), m_year(year), m_job(job),
      m_token(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      m_server(connection.dialect().name() == u"postgresql")
{
    if (connection.inTransaction())
        throw EAssertion(QStringLiteral("Blocco dei lavori preso dentro una transazione"),
                         QStringLiteral("JobLock"));
    // An installation made before the table existed gets it here (checked
    // first: creating it again would make the server print a notice).
    if (!connection.database().tables().contains(QStringLiteral("TZFJ_LAVORI"), Qt::CaseInsensitive))
        FrameworkSchema::install(connection);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!tryAcquire()) {
        if (std::chrono::steady_clock::now() >= deadline)
            throw EZfError(QStringLiteral("Impossibile avviare il lavoro \"%1\": %2. Attendere che finisca e "
                                          "riprovare.")
                               .arg(jobName(m_job), holder().description(m_year)));
        QThread::msleep(RetryPauseMs);
    }
}

JobLock::~JobLock()
{
    release();
}

QString JobLock::jobName(Job job)
{
    switch (job) {
    case Job::Import:
        return QStringLiteral("importazione");
    case Job::TelematicFile:
        return QStringLiteral("produzione del file telematico");
    case Job::CertificatePrint:
        return QStringLiteral("stampa dei certificati");
    }
    return QString();
}

bool JobLock::tryAcquire()
{
    return m_server ? tryAcquireAdvisory() : tryAcquireRow();
}

// The row is written only once the advisory lock is held: the row of a
// holder that died is simply replaced.
bool JobLock::tryAcquireAdvisory()
{
    StoreStatement lock(m_connection, QStringLiteral("SELECT pg_try_advisory_lock(?, ?)"));
    if (!lock.scalar({AdvisoryClass, m_year}).toBool())
        return false;
    StoreStatement row(m_connection, ReplaceRow);
    row.exec({m_year, jobName(m_job), QSysInfo::machineHostName(), QCoreApplication::applicationPid(),
              m_token, QDateTime::currentDateTime().toString(StartFormat)});
    return true;
}

bool JobLock::tryAcquireRow()
{
    StoreStatement insert(m_connection, InsertRow);
    if (!insert
             .scalar({m_year, jobName(m_job), QSysInfo::machineHostName(), QCoreApplication::applicationPid(),
                      m_token, QDateTime::currentDateTime().toString(StartFormat)})
             .isNull())
        return true;
    const Holder current = holder();
    if (!current.deadOnThisComputer())
        return false;
    StoreStatement(m_connection, DeleteRow).exec({m_year, current.token});
    return tryAcquireRow();
}

JobLock::Holder JobLock::holder()
{
    StoreStatement read(m_connection, ReadRow);
    read.exec({m_year});
    Holder found;
    if (read.next()) {
        found.job = read.value(0).toString();
        found.host = read.value(1).toString();
        found.pid = read.value(2).toLongLong();
        found.since = read.value(3).toString();
        found.token = read.value(4).toString();
        found.found = true;
    }
    return found;
}

// Runs from the destructor, also while an exception is on its way: a
// failure is left quiet (a lost server connection has already dropped the
// advisory lock; a row left behind is replaced or taken over).
void JobLock::release()
{
    QSqlQuery remove(m_connection.database());
    remove.prepare(DeleteRow);
    remove.addBindValue(m_year);
    remove.addBindValue(m_token);
    remove.exec();
    if (m_server) {
        QSqlQuery unlock(m_connection.database());
        unlock.prepare(QStringLiteral("SELECT pg_advisory_unlock(?, ?)"));
        unlock.addBindValue(AdvisoryClass);
        unlock.addBindValue(m_year);
        unlock.exec();
    }
}

} // namespace cu
