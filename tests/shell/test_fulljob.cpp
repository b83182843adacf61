// The whole job of a new user in the windows, on a fresh demo installation:
// start, accept the year, "Import", the wizard's "Avanti >" and "Importa",
// the selection window's "Importa" for everyone, the legal-position dialog
// confirmed, the messages acknowledged. The store then holds the same
// certificates as "modellocu import" writes on an identical installation.
// The command line refuses the NoiPA choice without the reporting body's
// fiscal code, as the wizard does.
#include "certificates/CertificateSchema.h"
#include "foundation/dataset/Dataset.h"
#include "import/archive/ParametriContributivi.h"
#include "shell/common/ItalianLocale.h"
#include "store/HlmDBCds.h"
#include "ImportAnswers.h"
#include "app/CommandLine.h"

#include <QDir>

using namespace cu;
using namespace cu::test;

namespace {

constexpr qint64 People = 26;

// Every row of every certificate table, sorted.
QStringList dump(LavoroCorrente& lavoro)
{
    const CertificateSchema schema = CertificateSchema::load(
        QDir(lavoro.app.folders.res()).filePath(QStringLiteral("Schema/eli.xml")));
    QStringList lines;
    for (const TableSchema& table : schema.tables()) {
        Dataset rows;
        lavoro.app.store->open(rows, table.name);
        lines += rowLines(rows, {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")}, table.name);
    }
    lines.sort();
    return lines;
}

} // namespace

class TestFullJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void windowsImportEqualsTheCommandLine()
    {
        ShellFixture windows(People);
        LavoroCorrente& lavoro = windows.open();
        bool everyoneChosen = false;
        bool legalPositionsAsked = false;
        ImportAnswers answers;
        answers.selection = [&](EliImpMultiSelect* selection) {
            everyoneChosen = buttonNamed(selection, QStringLiteral("Importa")) != nullptr;
            click(selection, QStringLiteral("Importa"));
        };
        answers.legalPositions = [&](EliCudTno* window) {
            legalPositionsAsked = true;
            click(window, QStringLiteral("OK"));
        };
        importThroughWindows(lavoro, answers);
        QVERIFY(everyoneChosen);
        QVERIFY(legalPositionsAsked);

        ShellFixture commandLine(People);
        const Run run = runModellocu(commandLine.folders().root(), {QStringLiteral("import")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QStringList expected = dump(commandLine.open());
        const QStringList actual = dump(lavoro);
        QVERIFY(expected.size() > 30); // 26 persons, most with several sections
        QCOMPARE(actual, expected);
    }

    void commandLineRefusesNoipaWithoutReportingBody()
    {
        ShellFixture installation(6);
        {
            LavoroCorrente& lavoro = installation.open();
            ParametriContributivi codes =
                ParametriContributivi::leggi(*lavoro.app.connection, *lavoro.app.catalogue, 55, 1);
            codes.cfSoggettoDenuncia.clear();
            codes.salva(*lavoro.app.connection, *lavoro.app.catalogue);
        }
        const Run refused = runModellocu(installation.folders().root(), {QStringLiteral("import")});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("Il c.f. soggetto denuncia è obbligatorio")),
                 qPrintable(refused.err));
        const Run uniemens = runModellocu(installation.folders().root(),
                                          {QStringLiteral("import"), QStringLiteral("--uniemens")});
        QVERIFY2(uniemens.status == 0, qPrintable(uniemens.err));
    }
};

QTEST_MAIN(TestFullJob)
#include "test_fulljob.moc"
