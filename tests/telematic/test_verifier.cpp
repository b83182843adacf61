// The verifier against hand-made faulty files (tests/telematic/data): each
// fault found with its own message naming line, positions, code and the
// expected form, and nothing found in the file they were made from.
#include "support/TelematicTestSupport.h"
#include "support/TestPaths.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"

#include <QTest>

using namespace cu;

class TestVerifier : public QObject
{
    Q_OBJECT

private slots:
    void handMadeFaults_data();
    void handMadeFaults();
};

void TestVerifier::handMadeFaults_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("defects");
    QTest::addColumn<QString>("finding"); // the first finding
    QTest::newRow("valid") << "valid.txt" << 0 << "";
    QTest::newRow("shifted head")
        << "shifted-head.txt" << 4
        << "riga 3: posizioni 70-83 (Spazio a disposizione dell'utente): atteso spazi (campo vuoto), trovato "
           "\"0   0123456789\"";
    QTest::newRow("unknown code") << "unknown-code.txt" << 1
                                  << "riga 4: posizione 186 (DB001999): codice sconosciuto al tracciato del "
                                     "record G";
    QTest::newRow("lower-case name")
        << "lower-case-name.txt" << 1
        << "riga 3: posizione 411 (campo DA002002): lettera minuscola \"a\", il file ammette solo lettere "
           "maiuscole e caratteri ASCII stampabili";
    QTest::newRow("right-aligned text") << "right-aligned-text.txt" << 1
                                        << "riga 3: posizione 426 (DA002003), formato AN: atteso testo "
                                           "allineato a sinistra, trovato \"       "
                                           "ANTONELLA\"";
    QTest::newRow("left-aligned amount")
        << "left-aligned-amount.txt" << 1
        << "riga 4: posizione 186 (DB001021), formato VP: atteso importo diverso da zero, con virgola e due "
           "decimali, allineato a destra (es. \"         1234,50\"), trovato \"430,27          \"";
    QTest::newRow("G without its D")
        << "g-without-d.txt" << 1
        << "riga 5: record G della certificazione 2 senza il suo record D nello stesso file (una "
           "certificazione non si divide tra due file)";
}

void TestVerifier::handMadeFaults()
{
    QFETCH(QString, file);
    QFETCH(int, defects);
    QFETCH(QString, finding);
    const test::TelematicInstallation installation;
    const FileLayouts layouts(installation.folders());
    const VerifyReport report = TelematicVerifier(layouts).verify(
        test::sourceRoot() + QStringLiteral("/tests/telematic/data/") + file);
    QCOMPARE(report.defectCount, defects);
    QCOMPARE(report.defects.value(0), finding);
}

QTEST_GUILESS_MAIN(TestVerifier)
#include "test_verifier.moc"
