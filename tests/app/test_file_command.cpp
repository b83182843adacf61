// The file command's edges on a demo installation, on every engine: a good
// production verified before it takes its name; conflicting choices, an
// empty or unwritable --output, and --verify or --show of something that is
// no supply file (missing, a folder, a device, a FIFO) refused with an
// Italian message naming what is wrong, with an error status, no "File
// scritto" line, and the previous file left as it was.
#include "CommandLine.h"
#include "foundation/installation/Folders.h"
#include "support/TestDatabases.h"

#include <QFile>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::Run;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

class TestFileCommand : public QObject
{
    Q_OBJECT
private slots:
    void edgesAreRefused_data() { TestDatabases::addEngineColumns(); }
    void edgesAreRefused()
    {
        QFETCH(QString, engine);
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        TestDatabase database(engine);
        CU_REQUIRE_DATABASE(database);
        const test::DemoOnDatabase demo(database.params(), 6);
        const Run import = demo.modellocu({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s});
        QVERIFY2(import.status == 0, qPrintable(import.err));
        const Run agent = demo.modellocu(
            {u"sostituto"_s, u"set"_s, u"--yes"_s, u"SSOSCFRAPPR=RSSMRA70A01H501S"_s, u"SCARCODICE=1"_s,
             u"SSOSCOGNRAPPR=ROSSI"_s, u"SSOSNOMERAPPR=MARIO"_s, u"SSOSFIRMACOM=MARIO ROSSI"_s});
        QVERIFY2(agent.status == 0, qPrintable(agent.err));
        const Run produced = demo.modellocu({u"file"_s, u"--yes"_s});
        QVERIFY2(produced.status == 0, qPrintable(produced.out + produced.err));
        const QString supply = Folders(demo.root()).dichCU() + u"CUR25"_s;
        QVERIFY2(produced.out.contains(u"Controllo del file "_s + supply) &&
                     produced.out.contains(u"File scritto: "_s + supply),
                 qPrintable(produced.out));
        const QByteArray good = test::readFile(supply);

        const QString fifo = demo.root() + u"/fifo"_s;
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const struct
        {
            QStringList args;
            QString message;
        } cases[] = {
            {{u"--tutti"_s, u"--nessuno"_s}, u"--tutti, --solo e --nessuno si escludono a vicenda"_s},
            {{u"--solo"_s, u"RSSMRA85T10A562S"_s, u"--nessuno"_s}, u"si escludono a vicenda"_s},
            {{u"--output"_s, QString()}, u"Nome del file telematico mancante"_s},
            {{u"--output"_s, demo.root() + u"/manca/CUR25"_s},
             u"La cartella "_s + demo.root() + u"/manca non esiste"_s},
            {{u"--output"_s, demo.root()}, demo.root() + u" è una cartella"_s},
            {{u"--verify"_s, QString()}, u"Nome del file telematico mancante"_s},
            {{u"--verify"_s, demo.root() + u"/nessuno"_s}, u"non esiste"_s},
            {{u"--verify"_s, demo.root()}, u"è una cartella, non un file telematico"_s},
            {{u"--verify"_s, u"/dev/zero"_s}, u"/dev/zero non è un file ordinario"_s},
            {{u"--show"_s, u"/dev/zero"_s}, u"/dev/zero non è un file ordinario"_s},
            {{u"--verify"_s, fifo}, fifo + u" non è un file ordinario"_s},
            {{u"--show"_s, fifo}, fifo + u" non è un file ordinario"_s},
        };
        for (const auto& c : cases) {
            const Run run = demo.modellocu(QStringList{u"file"_s, u"--yes"_s} + c.args);
            const QString what = c.args.join(u' ') + u": "_s + run.out + run.err;
            QVERIFY2(run.status > 0 && run.err.contains(c.message), qPrintable(what));
            QVERIFY2(!run.out.contains(u"File scritto"_s) && !run.out.contains(u"completata con successo"_s),
                     qPrintable(what));
            QVERIFY2(!run.err.contains(u"No such file"_s) && !run.err.contains(u"denied"_s),
                     qPrintable(what));
            QCOMPARE(test::readFile(supply), good);
        }
    }
};

QTEST_GUILESS_MAIN(TestFileCommand)
#include "test_file_command.moc"
