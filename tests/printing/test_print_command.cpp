// The arguments of the print command, checked before anything is printed: a
// file name that is empty or a path, a --cf without codes, an option that
// the chosen print does not read. Each refusal ends the command with its
// message and a non-zero status, with no "File generato:" line and no file.
#include "app/CommandLine.h"
#include "foundation/installation/Folders.h"
#include "support/TestDatabases.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::Run;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

class TestPrintCommand : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<test::DemoOnDatabase> m_demo;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(test::modellocuProgram()), "build the modellocu target first");
        m_database = std::make_unique<TestDatabase>(TestDatabases::engines().first());
        QVERIFY(m_database->available());
        m_demo = std::make_unique<test::DemoOnDatabase>(m_database->params(), 3);
    }

    void refusedBeforePrinting_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString badName = u"Nome del file di stampa non valido"_s;
        // clang-format off
        QTest::newRow("empty name") << QStringList{"print", "sintetico", "--nome", ""} << badName;
        QTest::newRow("parent folder") << QStringList{"print", "ordinario", "--nome", "../fuori"} << badName;
        QTest::newRow("subfolder") << QStringList{"print", "frontespizio", "--nome", "sotto/ct"} << badName;
        QTest::newRow("backslash") << QStringList{"print", "ct", "--nome", "sotto\\ct"} << badName;
        QTest::newRow("empty --cf") << QStringList{"print", "sintetico", "--cf", ""} << u"--cf senza codici fiscali"_s;
        QTest::newRow("--cf of commas") << QStringList{"print", "firme", "--cf", " , ,"} << u"--cf senza codici fiscali"_s;
        QTest::newRow("name of the signatures") << QStringList{"print", "firme", "--nome", "x"} << u"--nome non vale per la stampa firme"_s;
        QTest::newRow("codes of the notice") << QStringList{"print", "informativa", "--cf", "RSSMRA80A01H501U"} << u"--cf non vale per la stampa informativa"_s;
        QTest::newRow("frontispiece per recipient") << QStringList{"print", "frontespizio", "--per-percipiente"} << u"--per-percipiente non vale per la stampa frontespizio"_s;
        QTest::newRow("name per recipient") << QStringList{"print", "sintetico", "--per-percipiente", "--nome", "x"} << u"--nome non vale con --per-percipiente"_s;
        // clang-format on
    }
    void refusedBeforePrinting()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const Run run = m_demo->modellocu(args);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY2(!run.out.contains(u"File generato"_s), qPrintable(run.out));
        QCOMPARE(QDir(Folders(m_demo->root()).stp()).entryList({u"*.pdf"_s}, QDir::Files), QStringList());
        QCOMPARE(QDir(m_demo->root()).entryList({u"*.pdf"_s}, QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPrintCommand)
#include "test_print_command.moc"
