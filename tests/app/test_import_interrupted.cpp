// A command-line import killed in the middle of its run leaves every person
// either complete, exactly as an uninterrupted import writes them, or absent:
// no certificate without its sections, no section rows without their
// certificate. The same demo archive is imported once to the end as the
// reference.
#include "certificates/CertificateSchema.h"
#include "foundation/Connection.h"
#include "foundation/ConnectionSettings.h"
#include "foundation/Dataset.h"
#include "foundation/HlmDBCds.h"
#include "import/demo/DemoInstallation.h"
#include "support/CatalogueTestSupport.h"
#include "support/DatasetDump.h"
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

namespace {

constexpr qint64 People = 300;
// Certificates stored before the kill: enough to be well into the run.
constexpr qint64 CertificatesBeforeKill = 40;

QStringList importArguments(const QString& root)
{
    return {QStringLiteral("--root"), root, QStringLiteral("import"), QStringLiteral("--sovrascrivi"),
            QStringLiteral("sempre")};
}

QString program()
{
    return test::buildRoot() + QStringLiteral("/bin/modellocu");
}

// A demo installation of People persons under root (the same archive for
// the same seed).
std::unique_ptr<demo::DemoInstallation> makeInstallation(const QString& root, test::RecordingOperator& op)
{
    demo::DemoOptions options;
    options.people = People;
    auto installation = std::make_unique<demo::DemoInstallation>(test::buildRoot(), root, options, op);
    installation->prepareFolders();
    installation->copyProgramFiles();
    installation->writeSettings();
    installation->createDatabase();
    return installation;
}

// The stored certificates of an installation, as lines grouped by the
// person's fiscal code.
QMultiHash<QString, QString> storedLinesByPerson(const Folders& folders)
{
    QStringList none;
    Connection connection;
    if (!connection.open(ConnectionSettings::load(folders, none)))
        qFatal("archive: %s", qPrintable(connection.lastError()));
    const CertificateSchema schema =
        CertificateSchema::load(QDir(folders.res()).filePath(QStringLiteral("Schema/eli.xml")));
    static const QRegularExpression fiscalCode(QStringLiteral("\\|SCUDCODFIS=([^|]*)"));
    QMultiHash<QString, QString> lines;
    {
        HlmDBCds store(connection);
        store.setProgramme(QStringLiteral("eli"));
        store.setYear(2024);
        store.setMonth(-1);
        for (const TableSchema& table : schema.tables()) {
            if (!table.name.startsWith(u"TCUD") && !table.name.startsWith(u"TASE"))
                continue; // the agent's and supplier's tables are not per person
            Dataset rows;
            store.open(rows, table.name);
            for (const QString& line :
                 test::rowLines(rows, {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")}, table.name))
                lines.insert(fiscalCode.match(line).captured(1), line);
        }
    }
    connection.close();
    return lines;
}

qint64 storedCertificates(const Folders& folders)
{
    QStringList none;
    Connection connection;
    if (!connection.open(ConnectionSettings::load(folders, none)))
        return 0;
    QSqlQuery query(connection.database());
    query.exec(QStringLiteral("SELECT COUNT(DISTINCT fis.ifisrigo) FROM tfis_datifiscali fis JOIN tcds_struttura"
                              " cds ON cds.icdsid = fis.icdsid WHERE cds.scdsnome = 'TCUD_DATICUD'"));
    const qint64 count = query.next() ? query.value(0).toLongLong() : 0;
    query.finish();
    return count;
}

// Fiscal codes of the persons with more than one position: each position is
// its own transaction, so a kill between two of them rightly leaves such a
// person with part of what the whole run writes.
QSet<QString> personsWithSeveralPositions(const Folders& folders)
{
    QStringList none;
    Connection connection;
    if (!connection.open(ConnectionSettings::load(folders, none)))
        qFatal("archive: %s", qPrintable(connection.lastError()));
    QSet<QString> codes;
    {
        QSqlQuery query(connection.database());
        query.exec(QStringLiteral("SELECT ANA.SANACODFISCALE FROM TANA_ANAGRAFE ANA"
                                  " JOIN TANAPER_ANAPERIODI ANAPER ON ANAPER.IANAID = ANA.IANAID"
                                  " JOIN TACOM_ANACOMPENSI ACOM ON ACOM.IANAPERID = ANAPER.IANAPERID"
                                  " GROUP BY ANA.SANACODFISCALE HAVING COUNT(*) > 1"));
        while (query.next())
            codes.insert(query.value(0).toString());
    }
    connection.close();
    return codes;
}

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
    void killedRunLeavesNoHalfPerson()
    {
        QVERIFY2(QFile::exists(program()), "build the modellocu target first");
        test::RecordingOperator op;
        QTemporaryDir referenceRoot;
        QTemporaryDir interruptedRoot;
        const auto reference = makeInstallation(referenceRoot.path(), op);
        const auto interrupted = makeInstallation(interruptedRoot.path(), op);

        QProcess full;
        full.start(program(), importArguments(referenceRoot.path()));
        QVERIFY(full.waitForFinished(600000));
        QCOMPARE(full.exitCode(), 0);

        QProcess killed;
        killed.start(program(), importArguments(interruptedRoot.path()));
        QVERIFY(killed.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (storedCertificates(interrupted->folders()) < CertificatesBeforeKill &&
               killed.state() == QProcess::Running && waited.elapsed() < 300000)
            QTest::qWait(20);
        QVERIFY2(killed.state() == QProcess::Running, "the import ended before it could be killed");
        killed.kill();
        QVERIFY(killed.waitForFinished());

        const QMultiHash<QString, QString> expected = storedLinesByPerson(reference->folders());
        const QMultiHash<QString, QString> found = storedLinesByPerson(interrupted->folders());
        QSet<QString> certified;
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            if (it.value().startsWith(u"TCUD_DATICUD|"))
                certified.insert(it.key());
        }
        const qint64 all = QSet<QString>(expected.keyBegin(), expected.keyEnd()).size();
        qInfo("persons stored before the kill: %lld of %lld", qint64(certified.size()), all);
        QVERIFY2(certified.size() >= CertificatesBeforeKill / 2 && certified.size() < all,
                 qPrintable(QStringLiteral("%1 of %2 persons stored").arg(certified.size()).arg(all)));
        const QSet<QString> several = personsWithSeveralPositions(reference->folders());
        for (const QString& person : QSet<QString>(found.keyBegin(), found.keyEnd())) {
            QVERIFY2(certified.contains(person), qPrintable(QStringLiteral("rows without certificate: ") + person));
            if (!several.contains(person))
                QCOMPARE(sorted(found.values(person)), sorted(expected.values(person)));
        }
    }
};

QTEST_GUILESS_MAIN(TestImportInterrupted)
#include "test_import_interrupted.moc"
