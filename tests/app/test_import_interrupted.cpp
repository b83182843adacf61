// A command-line import killed in the middle of its run, or cut from its
// server (the session terminated on PostgreSQL), leaves every person either
// complete, exactly as an uninterrupted import writes them, or absent: no
// certificate without its sections, no section rows without their
// certificate. The same demo archive, imported once to the end, is the
// reference. Runs on the embedded SQLite archive and on PostgreSQL; the
// server loss is said once, as such, with no person blamed.
#include "CommandLine.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMultiHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr qint64 People = 300;
// Certificates stored before the kill: enough to be well into the run.
constexpr qint64 CertificatesBeforeKill = 40;

// The stored certificates, as lines grouped by the person's fiscal code.
QMultiHash<QString, QString> linesByPerson(const test::DemoOnDatabase& demo)
{
    static const QRegularExpression fiscalCode(u"\\|SCUDCODFIS=([^|]*)"_s);
    QMultiHash<QString, QString> lines;
    for (const QString& line : demo.rows())
        if (line.startsWith(u"TCUD") ||
            line.startsWith(u"TASE")) // the agent's and supplier's are not per person
            lines.insert(fiscalCode.match(line).captured(1), line);
    return lines;
}

// The first column of every row of a query.
QStringList firstColumn(const test::DemoOnDatabase& demo, const QString& sql)
{
    QStringList values;
    demo.withConnection([&](Connection& connection) {
        QSqlQuery query(connection.database());
        query.exec(sql);
        while (query.next())
            values.append(query.value(0).toString());
    });
    return values;
}

qint64 storedCertificates(const test::DemoOnDatabase& demo)
{
    return firstColumn(demo,
                       u"SELECT COUNT(DISTINCT fis.ifisrigo) FROM tfis_datifiscali fis JOIN tcds_struttura"
                       " cds ON cds.icdsid = fis.icdsid WHERE cds.scdsnome = 'TCUD_DATICUD'"_s)
        .value(0)
        .toLongLong();
}

// Fiscal codes of the persons with more than one position: each position
// is its own transaction, so a kill between two of them rightly leaves
// such a person with part of what the whole run writes.
QSet<QString> personsWithSeveralPositions(const test::DemoOnDatabase& demo)
{
    const QStringList codes = firstColumn(
        demo,
        u"SELECT ANA.SANACODFISCALE FROM TANA_ANAGRAFE ANA JOIN TANAPER_ANAPERIODI ANAPER ON ANAPER.IANAID ="
        " ANA.IANAID JOIN TACOM_ANACOMPENSI ACOM ON ACOM.IANAPERID = ANAPER.IANAPERID"
        " GROUP BY ANA.SANACODFISCALE HAVING COUNT(*) > 1"_s);
    return QSet<QString>(codes.begin(), codes.end());
}

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

// Starts the import on the demo and waits until it has stored some
// certificates; null (after a failed check) when it could not get there.
QProcess* importUnderWay(const test::DemoOnDatabase& demo, QObject* parent)
{
    QProcess* run = demo.start({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s}, parent);
    if (!run->waitForStarted())
        return nullptr;
    QElapsedTimer waited;
    waited.start();
    while (storedCertificates(demo) < CertificatesBeforeKill && run->state() == QProcess::Running &&
           waited.elapsed() < 300000)
        QTest::qWait(20);
    return run->state() == QProcess::Running ? run : nullptr;
}

// Every person of the interrupted import is absent or as the reference
// stores them; some are stored, not all.
void requireWholePersons(const test::DemoOnDatabase& reference, const test::DemoOnDatabase& interrupted)
{
    const QMultiHash<QString, QString> expected = linesByPerson(reference);
    const QMultiHash<QString, QString> found = linesByPerson(interrupted);
    QSet<QString> certified;
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        if (it.value().startsWith(u"TCUD_DATICUD|"))
            certified.insert(it.key());
    }
    const qint64 all = QSet<QString>(expected.keyBegin(), expected.keyEnd()).size();
    qInfo("persons stored before the interruption: %lld of %lld", qint64(certified.size()), all);
    QVERIFY2(certified.size() >= CertificatesBeforeKill / 2 && certified.size() < all,
             qPrintable(u"%1 of %2 persons stored"_s.arg(certified.size()).arg(all)));
    const QSet<QString> several = personsWithSeveralPositions(reference);
    for (const QString& person : QSet<QString>(found.keyBegin(), found.keyEnd())) {
        QVERIFY2(certified.contains(person), qPrintable(u"rows without certificate: "_s + person));
        if (!several.contains(person))
            QCOMPARE(sorted(found.values(person)), sorted(expected.values(person)));
    }
}

QProcess* fullImport(const test::DemoOnDatabase& reference, QObject* parent)
{
    QProcess* full = reference.start({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s}, parent);
    full->waitForFinished(600000);
    return full;
}

} // namespace

class TestImportInterrupted : public QObject
{
    Q_OBJECT
private slots:
    void killedRunLeavesNoHalfPerson_data() { TestDatabases::addEngineColumns(); }
    void killedRunLeavesNoHalfPerson()
    {
        QFETCH(QString, engine);
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        TestDatabase referenceDb(engine);
        CU_REQUIRE_DATABASE(referenceDb);
        TestDatabase interruptedDb(engine);
        const test::DemoOnDatabase reference(referenceDb.params(), People);
        const test::DemoOnDatabase interrupted(interruptedDb.params(), People);
        QProcess* full = fullImport(reference, this);
        QVERIFY2(full->exitCode() == 0, full->readAllStandardError().constData());

        QProcess* killed = importUnderWay(interrupted, this);
        QVERIFY2(killed, "the import ended before it could be killed");
        killed->kill();
        QVERIFY(killed->waitForFinished());
        requireWholePersons(reference, interrupted);
    }

    void serverLostMidRun_data() { TestDatabases::addEngineRow(TestDatabases::Postgres); }
    void serverLostMidRun()
    {
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        TestDatabase referenceDb(TestDatabases::Postgres);
        CU_REQUIRE_DATABASE(referenceDb);
        TestDatabase interruptedDb(TestDatabases::Postgres);
        const test::DemoOnDatabase reference(referenceDb.params(), People);
        const test::DemoOnDatabase interrupted(interruptedDb.params(), People);
        QProcess* full = fullImport(reference, this);
        QVERIFY2(full->exitCode() == 0, full->readAllStandardError().constData());

        QProcess* cut = importUnderWay(interrupted, this);
        QVERIFY2(cut, "the import ended before its server session could be terminated");
        QCOMPARE(firstColumn(interrupted, u"SELECT COUNT(pg_terminate_backend(pid)) FROM pg_stat_activity"
                                          " WHERE datname = current_database() AND pid <> pg_backend_pid()"_s)
                         .value(0)
                         .toInt() > 0,
                 true);
        QVERIFY(cut->waitForFinished(60000));
        const QString said = QString::fromUtf8(cut->readAllStandardOutput() + cut->readAllStandardError());
        QVERIFY2(cut->exitCode() != 0, qPrintable(said));
        QCOMPARE(said.count(u"La connessione al server del database si è interrotta"_s), 1);
        QVERIFY2(!said.contains(u"Controllare i dati del dipendente"_s), qPrintable(said));
        QVERIFY2(said.count(u'\n') < 10, qPrintable(said));
        requireWholePersons(reference, interrupted);
    }
};

QTEST_GUILESS_MAIN(TestImportInterrupted)
#include "test_import_interrupted.moc"
