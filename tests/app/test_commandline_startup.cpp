// The command line opens a demo installation through the start-up sequence:
// the archive is repaired and the reports installed before the import runs,
// and the prints work on the installation opened that way; an altered
// catalogue signature ends the command with its message and an error status
// without touching the archive; a missing archive is named and not created.
// A broken installation (settings file missing or empty, a start-up
// parameter missing or no positive whole number), an empty --root and an
// import log that cannot be written are refused before anything is imported.
#include "CommandLine.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/ScriptedOperator.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::execute;
using cu::test::Run;
using cu::test::scalar;

namespace {

const QString SignatureMessage =
    u"Certificato query non trovato od errato. Aggiornare il programma \"Gestione compensi\""_s;

} // namespace

class TestCommandLineStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    std::unique_ptr<demo::DemoInstallation> m_demo;
    ScriptedOperator m_op;

    Folders folders() const { return m_demo->folders(); }

    Run modellocu(const QStringList& args) { return test::runModellocu(m_root.path(), args); }

    // Opens the demo archive directly, as the checks below read it.
    std::unique_ptr<Connection> archive()
    {
        auto connection = std::make_unique<Connection>();
        QStringList none;
        connection->open(ConnectionSettings::load(folders(), none));
        return connection;
    }

    // A withholding row on code 14 with a taxable amount but no contribution,
    // which the repairs clear; returns its id.
    qint64 addRowToRepair()
    {
        auto connection = archive();
        const qint64 id = scalar(*connection, u"SELECT MAX(IVARRID) FROM TVARR_VARRITENUTE"_s) + 1;
        const qint64 reg = scalar(*connection, u"SELECT MIN(IREGSID) FROM TREGS_REGISTRI"_s);
        execute(*connection,
                u"INSERT INTO TVARR_VARRITENUTE (IVARRID, IREGSID, IRICEID, FVARRRITDIP, FVARRRITAMM,"
                " FVARRIMPONIBILEDIP, FVARRIMPONIBILEAMM, FVARRPERCIMPDIP, FVARRPERCIMPAMM)"
                " VALUES (%1, %2, 14, 0, 0, 100, 100, 100, 100)"_s.arg(id)
                    .arg(reg));
        return id;
    }

    qint64 certificates()
    {
        auto connection = archive();
        return scalar(*connection, u"SELECT COUNT(*) FROM TAFI_ANAFISCALE"_s);
    }

    // The import is refused with the expected text and stores nothing.
    void verifyRefused(const Run& run, const QString& expected, qint64 before)
    {
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY2(!run.out.contains(u"Posizioni: "), qPrintable(run.out));
        QCOMPARE(certificates(), before);
    }

    qint64 taxableOf(qint64 row)
    {
        auto connection = archive();
        return scalar(*connection,
                      u"SELECT FVARRIMPONIBILEDIP FROM TVARR_VARRITENUTE WHERE IVARRID = %1"_s.arg(row));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        demo::DemoOptions options;
        options.people = 6;
        m_demo = std::make_unique<demo::DemoInstallation>(test::buildRoot(), m_root.path(), options, m_op);
        m_demo->prepareFolders();
        m_demo->copyProgramFiles();
        m_demo->writeSettings();
        m_demo->createDatabase();
        QVERIFY(m_op.texts(Severity::Error).isEmpty());
    }

    void startUpRepairsThenTheCommandRuns()
    {
        const qint64 row = addRowToRepair();
        {
            auto connection = archive();
            QCOMPARE(scalar(*connection, u"SELECT COUNT(*) FROM TYRPT_REPORT"_s), 0);
        }
        const Run import = modellocu({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s});
        QVERIFY2(import.status == 0, qPrintable(import.err));
        QVERIFY2(import.out.contains(u"Posizioni: "), qPrintable(import.out));

        QCOMPARE(taxableOf(row), 0);
        auto connection = archive();
        QCOMPARE(scalar(*connection, u"SELECT COUNT(*) FROM TYRPT_REPORT"_s), 2);
        QCOMPARE(scalar(*connection, u"SELECT COUNT(*) FROM TYRFO_REPORTFOLDER WHERE IYRFOID = 11006"_s), 1);
        QVERIFY(scalar(*connection, u"SELECT COUNT(*) FROM TAFI_ANAFISCALE"_s) > 0);
    }

    void printsThroughTheStartUp()
    {
        const Run print = modellocu({u"print"_s, u"sintetico"_s, u"--nome"_s, u"prova"_s});
        QVERIFY2(print.status == 0, qPrintable(print.err));
        QVERIFY(QFile::exists(folders().stp() + u"prova.pdf"_s));
        const Run signatures = modellocu({u"print"_s, u"firme"_s});
        QVERIFY2(signatures.status == 0, qPrintable(signatures.err));
        QVERIFY(QFile::exists(folders().stp() + u"Firme.pdf"_s));
    }

    void alteredSignatureEndsTheCommand()
    {
        const QString signaturePath = folders().etcKbr() + u"kbr_QueryText.unxc"_s;
        const QByteArray original = cu::test::readFile(signaturePath);
        cu::test::corruptSignature(signaturePath);
        const qint64 row = addRowToRepair();

        const Run print = modellocu({u"print"_s, u"sintetico"_s, u"--nome"_s, u"rifiutata"_s});
        const Run import = modellocu({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s});

        cu::test::writeFile(signaturePath, original);

        for (const Run& run : {print, import}) {
            QCOMPARE(run.status, 1);
            QCOMPARE(run.err.count(SignatureMessage), 1);
            QVERIFY2(run.err.trimmed().endsWith(SignatureMessage), qPrintable(run.err));
        }
        QVERIFY(!QFile::exists(folders().stp() + u"rifiutata.pdf"_s));
        QCOMPARE(taxableOf(row), 100); // never connected: no repair ran
    }

    void brokenSettingsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("settings"); // empty: no file at all
        QTest::addColumn<QString>("expected");
        const auto withParams = [](const char* params) {
            return "[Database]\nDriver = QSQLITE\nDatabase = usr/kbr/modellocu.sqlite\n[Params]\n" +
                   QByteArray(params);
        };
        QTest::newRow("missing file") << QByteArray() << u"File delle impostazioni non trovato: "_s;
        QTest::newRow("empty file") << QByteArray("; niente\n") << u"File delle impostazioni vuoto: "_s;
        QTest::newRow("site -1") << withParams("ZFUP_AnfId = 55\nZFUP_AnsId = 55\nZFUP_DwgId = -1\n")
                                 << u"impostazione ZFUP_DwgId: valore \"-1\" non valido"_s;
        QTest::newRow("year abc") << withParams("ZFUP_AnfId = abc\nZFUP_AnsId = 55\nZFUP_DwgId = 1\n")
                                  << u"impostazione ZFUP_AnfId: valore \"abc\" non valido"_s;
        QTest::newRow("school year missing") << withParams("ZFUP_AnfId = 55\nZFUP_DwgId = 1\n")
                                             << u"impostazione ZFUP_AnsId: valore mancante"_s;
    }
    void brokenSettingsAreRefused()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, expected);
        const QString path = folders().etc() + u"modellocu.ini"_s;
        const QByteArray original = cu::test::readFile(path);
        const qint64 before = certificates();
        QFile::remove(path);
        if (!settings.isEmpty())
            cu::test::writeFile(path, settings);
        const Run run = modellocu({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s});
        cu::test::writeFile(path, original);
        verifyRefused(run, expected, before);
    }

    void emptyRootIsRefused()
    {
        QProcess process;
        process.start(test::modellocuProgram(), {u"--root"_s, u""_s, u"import"_s});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(u"--root"));
    }

    void unusableLogIsRefused_data()
    {
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << u"--log vuole il nome del file"_s;
        QTest::newRow("a folder") << m_root.path() << u"è una cartella"_s;
        QTest::newRow("missing folder") << m_root.path() + u"/manca/registro.txt"_s << u"non esiste"_s;
        QTest::newRow("special file") << u"/dev/null"_s << u"non è un file ordinario"_s;
    }
    void unusableLogIsRefused()
    {
        QFETCH(QString, log);
        QFETCH(QString, expected);
        const qint64 before = certificates();
        verifyRefused(modellocu({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s, u"--log"_s, log}), expected,
                      before);
    }

    void missingArchiveIsNamed()
    {
        const QString missing = folders().usrKbr() + u"manca.sqlite"_s;
        const Run run = modellocu({u"print"_s, u"firme"_s, u"--db-name"_s, missing});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"Archivio SQLite non trovato: "_s + missing), qPrintable(run.err));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestCommandLineStartup)
#include "test_commandline_startup.moc"
