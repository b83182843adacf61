// The command line opens a demo installation through the start-up sequence:
// the archive is repaired and the reports installed before the import runs,
// and the prints work on the installation opened that way; an altered
// catalogue signature ends the command with its message and an error status
// without touching the archive; a missing archive is named and not created.
#include "foundation/database/Connection.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "import/demo/DemoInstallation.h"
#include "support/CatalogueTestSupport.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace cu;

namespace {

const QString SignatureMessage =
    QStringLiteral("Certificato query non trovato od errato. Aggiornare il programma \"Gestione compensi\"");

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TestCommandLineStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    std::unique_ptr<demo::DemoInstallation> m_demo;
    test::RecordingOperator m_op;

    Folders folders() const { return m_demo->folders(); }

    Run modellocu(const QStringList& args)
    {
        QProcess process;
        process.start(test::buildRoot() + QStringLiteral("/bin/modellocu"),
                      QStringList{QStringLiteral("--root"), m_root.path()} + args);
        process.closeWriteChannel();
        Run run;
        if (!process.waitForFinished(300000))
            return run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    // Opens the demo archive directly, as the checks below read it.
    std::unique_ptr<Connection> archive()
    {
        auto connection = std::make_unique<Connection>();
        QStringList none;
        connection->open(ConnectionSettings::load(folders(), none));
        return connection;
    }

    static qint64 scalar(Connection& connection, const QString& sql)
    {
        QSqlQuery query(connection.database());
        if (!query.exec(sql) || !query.next())
            return -1;
        return query.value(0).toLongLong();
    }

    // A withholding row on code 14 with a taxable amount but no contribution,
    // which the repairs clear; returns its id.
    qint64 addRowToRepair()
    {
        auto connection = archive();
        const qint64 id =
            scalar(*connection, QStringLiteral("SELECT MAX(IVARRID) FROM TVARR_VARRITENUTE")) + 1;
        const qint64 reg = scalar(*connection, QStringLiteral("SELECT MIN(IREGSID) FROM TREGS_REGISTRI"));
        QSqlQuery insert(connection->database());
        if (!insert.exec(
                QStringLiteral("INSERT INTO TVARR_VARRITENUTE (IVARRID, IREGSID, IRICEID, FVARRRITDIP, "
                               "FVARRRITAMM, FVARRIMPONIBILEDIP, FVARRIMPONIBILEAMM, FVARRPERCIMPDIP, "
                               "FVARRPERCIMPAMM) VALUES (%1, %2, 14, 0, 0, 100, 100, 100, 100)")
                    .arg(id)
                    .arg(reg)))
            qFatal("insert: %s", qPrintable(insert.lastError().text()));
        return id;
    }

    qint64 taxableOf(qint64 row)
    {
        auto connection = archive();
        return scalar(
            *connection,
            QStringLiteral("SELECT FVARRIMPONIBILEDIP FROM TVARR_VARRITENUTE WHERE IVARRID = %1").arg(row));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(test::buildRoot() + QStringLiteral("/bin/modellocu")),
                 "build the modellocu target first");
        demo::DemoOptions options;
        options.people = 6;
        m_demo = std::make_unique<demo::DemoInstallation>(test::buildRoot(), m_root.path(), options, m_op);
        m_demo->prepareFolders();
        m_demo->copyProgramFiles();
        m_demo->writeSettings();
        m_demo->createDatabase();
        QVERIFY(m_op.errors.isEmpty());
    }

    void startUpRepairsThenTheCommandRuns()
    {
        const qint64 row = addRowToRepair();
        {
            auto connection = archive();
            QCOMPARE(scalar(*connection, QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT")), 0);
        }
        const Run import =
            modellocu({QStringLiteral("import"), QStringLiteral("--sovrascrivi"), QStringLiteral("sempre")});
        QVERIFY2(import.status == 0, qPrintable(import.err));
        QVERIFY2(import.out.contains(u"Posizioni: "), qPrintable(import.out));

        QCOMPARE(taxableOf(row), 0);
        auto connection = archive();
        QCOMPARE(scalar(*connection, QStringLiteral("SELECT COUNT(*) FROM TYRPT_REPORT")), 2);
        QCOMPARE(scalar(*connection,
                        QStringLiteral("SELECT COUNT(*) FROM TYRFO_REPORTFOLDER WHERE IYRFOID = 11006")),
                 1);
        QVERIFY(scalar(*connection, QStringLiteral("SELECT COUNT(*) FROM TAFI_ANAFISCALE")) > 0);
    }

    void printsThroughTheStartUp()
    {
        const Run print = modellocu({QStringLiteral("print"), QStringLiteral("sintetico"),
                                     QStringLiteral("--nome"), QStringLiteral("prova")});
        QVERIFY2(print.status == 0, qPrintable(print.err));
        QVERIFY(QFile::exists(folders().stp() + QStringLiteral("prova.pdf")));
        const Run signatures = modellocu({QStringLiteral("print"), QStringLiteral("firme")});
        QVERIFY2(signatures.status == 0, qPrintable(signatures.err));
        QVERIFY(QFile::exists(folders().stp() + QStringLiteral("Firme.pdf")));
    }

    void alteredSignatureEndsTheCommand()
    {
        const QString signaturePath = folders().etcKbr() + QStringLiteral("kbr_QueryText.unxc");
        QFile signature(signaturePath);
        QVERIFY(signature.open(QIODevice::ReadOnly));
        const QByteArray original = signature.readAll();
        signature.close();
        QVERIFY(signature.open(QIODevice::WriteOnly | QIODevice::Truncate));
        signature.write("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF\r\n");
        signature.close();
        const qint64 row = addRowToRepair();

        const Run print = modellocu({QStringLiteral("print"), QStringLiteral("sintetico"),
                                     QStringLiteral("--nome"), QStringLiteral("rifiutata")});
        const Run import =
            modellocu({QStringLiteral("import"), QStringLiteral("--sovrascrivi"), QStringLiteral("sempre")});

        QVERIFY(signature.open(QIODevice::WriteOnly | QIODevice::Truncate));
        signature.write(original);
        signature.close();

        for (const Run& run : {print, import}) {
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err.count(SignatureMessage), 1);
            QVERIFY2(run.err.trimmed().endsWith(SignatureMessage), qPrintable(run.err));
        }
        QVERIFY(!QFile::exists(folders().stp() + QStringLiteral("rifiutata.pdf")));
        QCOMPARE(taxableOf(row), 100); // never connected: no repair ran
    }

    void missingArchiveIsNamed()
    {
        const QString missing = folders().usrKbr() + QStringLiteral("manca.sqlite");
        const Run run = modellocu(
            {QStringLiteral("print"), QStringLiteral("firme"), QStringLiteral("--db-name"), missing});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Archivio SQLite non trovato: ") + missing),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestCommandLineStartup)
#include "test_commandline_startup.moc"
