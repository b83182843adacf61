// A command-line import killed in the middle of its run leaves every person
// either complete, exactly as an uninterrupted import writes them, or absent:
// no certificate without its sections, no section rows without their
// certificate. The same demo archive, imported once to the end, is the
// reference. Runs on the embedded SQLite archive and on PostgreSQL.
#include "certificates/CertificateSchema.h"
#include "foundation/database/Connection.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/DemoImport.h"
#include "import/demo/DemoInstallation.h"
#include "store/HlmDBCds.h"
#include "support/DatasetDump.h"
#include "support/TestDatabases.h"
#include "support/TestPaths.h"

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

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

constexpr qint64 People = 300;
// Certificates stored before the kill: enough to be well into the run.
constexpr qint64 CertificatesBeforeKill = 40;

QString program()
{
    return test::buildRoot() + QStringLiteral("/bin/modellocu");
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
        connection.open(m_params);
        {
            test::DemoImport archive(connection);
            archive.createArchive(People);
        }
        connection.close();
    }

    QProcess* startImport(QObject* parent) const
    {
        auto* process = new QProcess(parent);
        QStringList args{QStringLiteral("--root"), m_root.path(), QStringLiteral("import"),
                         QStringLiteral("--db-driver"), m_params.driver, QStringLiteral("--db-name"),
                         m_params.database};
        if (!m_params.host.isEmpty())
            args << QStringLiteral("--db-host") << m_params.host << QStringLiteral("--db-port")
                 << QString::number(m_params.port) << QStringLiteral("--db-user") << m_params.user;
        process->start(program(), args << QStringLiteral("--sovrascrivi") << QStringLiteral("sempre"));
        return process;
    }

    // The stored certificates, as lines grouped by the person's fiscal code.
    QMultiHash<QString, QString> linesByPerson() const
    {
        static const QRegularExpression fiscalCode(QStringLiteral("\\|SCUDCODFIS=([^|]*)"));
        const CertificateSchema schema = CertificateSchema::load(
            test::buildRoot() + QStringLiteral("/USR/FJ2024/Res/Schema/eli.xml"));
        Connection connection;
        connection.open(m_params);
        QMultiHash<QString, QString> lines;
        {
            ScriptedOperator op;
            HlmDBCds store(connection, op);
            store.setProgramme(QStringLiteral("eli"));
            store.setYear(2024);
            store.setMonth(-1);
            for (const TableSchema& table : schema.tables()) {
                if (!table.name.startsWith(u"TCUD") && !table.name.startsWith(u"TASE"))
                    continue; // the agent's and supplier's tables are not per person
                Dataset rows;
                store.open(rows, table.name);
                for (const QString& line : test::rowLines(
                         rows, {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")}, table.name))
                    lines.insert(fiscalCode.match(line).captured(1), line);
            }
        }
        connection.close();
        return lines;
    }

    qint64 storedCertificates() const
    {
        return scalars(QStringLiteral("SELECT COUNT(DISTINCT fis.ifisrigo) FROM tfis_datifiscali fis"
                                      " JOIN tcds_struttura cds ON cds.icdsid = fis.icdsid"
                                      " WHERE cds.scdsnome = 'TCUD_DATICUD'"))
            .value(0)
            .toLongLong();
    }

    // Fiscal codes of the persons with more than one position: each position
    // is its own transaction, so a kill between two of them rightly leaves
    // such a person with part of what the whole run writes.
    QSet<QString> personsWithSeveralPositions() const
    {
        QSet<QString> codes;
        for (const QVariant& code : scalars(QStringLiteral(
                 "SELECT ANA.SANACODFISCALE FROM TANA_ANAGRAFE ANA"
                 " JOIN TANAPER_ANAPERIODI ANAPER ON ANAPER.IANAID = ANA.IANAID"
                 " JOIN TACOM_ANACOMPENSI ACOM ON ACOM.IANAPERID = ANAPER.IANAPERID"
                 " GROUP BY ANA.SANACODFISCALE HAVING COUNT(*) > 1")))
            codes.insert(code.toString());
        return codes;
    }

private:
    // The first column of every row of a query.
    QVariantList scalars(const QString& sql) const
    {
        Connection connection;
        connection.open(m_params);
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
    test::MessageLogOperator m_op;
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
        while (interrupted.storedCertificates() < CertificatesBeforeKill && killed->state() == QProcess::Running &&
               waited.elapsed() < 300000)
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
                 qPrintable(QStringLiteral("%1 of %2 persons stored").arg(certified.size()).arg(all)));
        const QSet<QString> several = reference.personsWithSeveralPositions();
        for (const QString& person : QSet<QString>(found.keyBegin(), found.keyEnd())) {
            QVERIFY2(certified.contains(person), qPrintable(QStringLiteral("rows without certificate: ") + person));
            if (!several.contains(person))
                QCOMPARE(sorted(found.values(person)), sorted(expected.values(person)));
        }
    }
};

QTEST_GUILESS_MAIN(TestImportInterrupted)
#include "test_import_interrupted.moc"
