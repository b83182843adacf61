// The lock by which the jobs of one financial year on one installation
// exclude each other: an import writing the year, a production of the
// telematic file and a print of the certificates reading it. It is held in
// the database, so that it works across processes and, on a server, across
// computers; the holder's row (TZFJ_LAVORI) tells a refused job who holds it.
//
// PostgreSQL: a session advisory lock keyed by the year, which the server
// drops with the session, so a job that is killed or loses its connection
// never blocks the next one. SQLite: the row itself is the lock (its year is
// the key); a row left by a process of this computer that no longer exists
// is taken over. A row left by another computer's process that was killed
// is cleared when that computer runs a job again (it is then "this
// computer") or by deleting the row.
//
// A job that finds the year taken retries for a few seconds, then refuses
// with an EZfError naming the job that holds it, its computer and process,
// and since when. The lock is taken outside any transaction of the
// connection and released when the object ends.
#pragma once

#include <QString>
#include <chrono>

namespace cu {

class Connection;

class JobLock
{
public:
    enum class Job
    {
        Import,
        TelematicFile,
        CertificatePrint
    };
    static constexpr std::chrono::milliseconds DefaultWait{5000};

    JobLock(Connection& connection, int year, Job job, std::chrono::milliseconds wait = DefaultWait);
    ~JobLock();
    JobLock(const JobLock&) = delete;
    JobLock& operator=(const JobLock&) = delete;

    // "importazione", "produzione del file telematico", "stampa dei certificati".
    static QString jobName(Job job);

private:
    struct Holder;

    bool tryAcquire();
    bool tryAcquireAdvisory();
    bool tryAcquireRow();
    Holder holder();
    void release();

    Connection& m_connection;
    int m_year;
    Job m_job;
    QString m_token; // tells this holder's row from any other
    bool m_server;   // PostgreSQL: the advisory lock
};

} // namespace cu
