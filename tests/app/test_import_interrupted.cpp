// A command-line import killed in the middle of its run leaves every person
// either complete, exactly as an uninterrupted import writes them, or absent:
// no certificate without its sections, no section rows without their
// certificate. The same demo archive, imported once to the end, is the
// reference. Runs on the embedded SQLite archive and on PostgreSQL.
#include "certificates/CertificateSchema.h"
#include "foundation/database/Connection.h"
#include "foundation/dataset/Dataset.h"
#include "import/DemoImport.h"
#include "import/demo/DemoInstallation.h"
#include "store/HlmDBCds.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMultiHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr qint64 People = 300;
// Certificates stored before the kill: enough to be well into the run.
constexpr qint64 CertificatesBeforeKill = 40;

QString program()
{
    return test::buildRoot() + u"/bin/modellocu"_s;
}

// One installation with its archive in the given database: program files
// under a temporary root, the demo archive of People persons (the same for
// the same seed) written into the database.
class Installation
{
public:
    explicit Installation(const ConnectionParams& params) : m_params(params)
    {
        demo::DemoOptions options;
        options.people = People;
        demo::DemoInstallation files(test::buildRoot(), m_root.path(), options, m_op);
        files.prepareFolders();
        files.copyProgramFiles();
        files.writeSettings();
        Connection connection;
        if (!connection.open(m_params))
            qFatal("archive: %s", qPrintable(connection.lastError()));
        {
            test::DemoImport archive(connection);
            archive.createArchive(People);
        }
        connection.close();
    }

    QProcess* startImport(QObject* parent) const
    {
        auto* process = new QProcess(parent);
        QStringList args{u"--root"_s,     m_root.path(),  u"import"_s,      u"--db-driver"_s,
                         m_params.driver, u"--db-name"_s, m_params.database};
        if (!m_params.host.isEmpty())
            args << u"--db-host"_s << m_params.host << u"--db-port"_s << QString::number(m_params.port)
                 << u"--db-user"_s << m_params.user;
        process->start(program(), args << u"--sovrascrivi"_s << u"sempre"_s);
        return process;
    }

    // The stored certificates, as lines grouped by the person's fiscal code.
    QMultiHash<QString, QString> linesByPerson() const
    {
        static const QRegularExpression fiscalCode(u"\\|SCUDCODFIS=([^|]*)"_s);
        Connection connection;
        if (!connection.open(m_params))
            qFatal("archive: %s", qPrintable(connection.lastError()));
        QMultiHash<QString, QString> lines;
        for (const QString& line : test::DemoImport(connection).dump())
            if (line.startsWith(u"TCUD") ||
                line.startsWith(u"TASE")) // the agent's and supplier's are not per person
                lines.insert(fiscalCode.match(line).captured(1), line);
        connection.close();
        return lines;
    }

    qint64 storedCertificates() const
    {
        return scalars(u"SELECT COUNT(DISTINCT fis.ifisrigo) FROM tfis_datifiscali fis"
                       " JOIN tcds_struttura cds ON cds.icdsid = fis.icdsid"
                       " WHERE cds.scdsnome = 'TCUD_DATICUD'"_s)
            .value(0)
            .toLongLong();
    }

    // Fiscal codes of the persons with more than one position: each position
    // is its own transaction, so a kill between two of them rightly leaves
    // such a person with part of what the whole run writes.
    QSet<QString> personsWithSeveralPositions() const
    {
        QSet<QString> codes;
        for (const QVariant& code :
             scalars(u"SELECT ANA.SANACODFISCALE FROM TANA_ANAGRAFE ANA"
                     " JOIN TANAPER_ANAPERIODI ANAPER ON ANAPER.IANAID = ANA.IANAID"
                     " JOIN TACOM_ANACOMPENSI ACOM ON ACOM.IANAPERID = ANAPER.IANAPERID"
                     " GROUP BY ANA.SANACODFISCALE HAVING COUNT(*) > 1"_s))
            codes.insert(code.toString());
        return codes;
    }

private:
    // The first column of every row of a query.
    QVariantList scalars(const QString& sql) const
    {
        Connection connection;
        if (!connection.open(m_params))
            return {};
        QVariantList values;
        {
            QSqlQuery query(connection.database());
            query.exec(sql);
            while (query.next())
                values.append(query.value(0));
        }
        connection.close();
        return values;
    }

    ConnectionParams m_params;
    QTemporaryDir m_root;
    ScriptedOperator m_op;
};

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
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
        QVERIFY2(QFile::exists(program()), "build the modellocu target first");
        TestDatabase referenceDb(engine);
        CU_REQUIRE_DATABASE(referenceDb);
        TestDatabase interruptedDb(engine);
        const Installation reference(referenceDb.params());
        const Installation interrupted(interruptedDb.params());

        QProcess* full = reference.startImport(this);
        QVERIFY(full->waitForFinished(600000));
        QVERIFY2(full->exitCode() == 0, full->readAllStandardError().constData());

        QProcess* killed = interrupted.startImport(this);
        QVERIFY(killed->waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (interrupted.storedCertificates() < CertificatesBeforeKill &&
               killed->state() == QProcess::Running && waited.elapsed() < 300000)
            QTest::qWait(20);
        QVERIFY2(killed->state() == QProcess::Running, "the import ended before it could be killed");
        killed->kill();
        QVERIFY(killed->waitForFinished());

        const QMultiHash<QString, QString> expected = reference.linesByPerson();
        const QMultiHash<QString, QString> found = interrupted.linesByPerson();
        QSet<QString> certified;
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            if (it.value().startsWith(u"TCUD_DATICUD|"))
                certified.insert(it.key());
        }
        const qint64 all = QSet<QString>(expected.keyBegin(), expected.keyEnd()).size();
        qInfo("persons stored before the kill: %lld of %lld", qint64(certified.size()), all);
        QVERIFY2(certified.size() >= CertificatesBeforeKill / 2 && certified.size() < all,
                 qPrintable(u"%1 of %2 persons stored"_s.arg(certified.size()).arg(all)));
        const QSet<QString> several = reference.personsWithSeveralPositions();
        for (const QString& person : QSet<QString>(found.keyBegin(), found.keyEnd())) {
            QVERIFY2(certified.contains(person), qPrintable(u"rows without certificate: "_s + person));
            if (!several.contains(person))
                QCOMPARE(sorted(found.values(person)), sorted(expected.values(person)));
        }
    }
};

QTEST_GUILESS_MAIN(TestImportInterrupted)
#include "test_import_interrupted.moc"
