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
#include "shell/common/EliSInfo.h"
#include "shell/common/ItalianLocale.h"
#include "shell/frame/EliMain.h"
#include "shell/frame/EliParametri.h"
#include "shell/import/EliCudTno.h"
#include "shell/import/EliImpMultiSelect.h"
#include "shell/import/EliWizImport.h"
#include "store/HlmDBCds.h"
#include "ShellFixture.h"

#include <QDir>
#include <QProcess>
#include <QProgressDialog>
#include <QToolBox>
#include <QToolButton>

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

struct CommandRun
{
    int status = -1;
    QString err;
};

CommandRun modellocu(const Folders& root, const QStringList& args)
{
    QProcess process;
    process.start(buildRoot() + QStringLiteral("/bin/modellocu"), QStringList{QStringLiteral("--root"), root.root()} + args);
    process.closeWriteChannel();
    CommandRun run;
    if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
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
        bool yearConfirmed = false;
        bool everyoneChosen = false;
        bool legalPositionsAsked = false;
        ModalScript script([&](QWidget* window) {
            if (qobject_cast<EliParametri*>(window)) {
                QTest::keyClick(window, Qt::Key_Return);
                yearConfirmed = true;
            } else if (qobject_cast<EliWizImport*>(window)) {
                click(window, QStringLiteral("Avanti >"));
                click(window, QStringLiteral("Importa"));
            } else if (auto* selection = qobject_cast<EliImpMultiSelect*>(window)) {
                everyoneChosen = buttonNamed(selection, QStringLiteral("Importa")) != nullptr;
                click(selection, QStringLiteral("Importa"));
            } else if (qobject_cast<EliCudTno*>(window)) {
                legalPositionsAsked = true;
                click(window, QStringLiteral("OK"));
            } else if (qobject_cast<EliSInfo*>(window) || qobject_cast<QMessageBox*>(window)) {
                click(window, QStringLiteral("OK"));
            }
        });
        EliMain main(lavoro);
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(yearConfirmed, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 20000);
        for (QToolButton* button : main.navigazione()->findChildren<QToolButton*>())
            if (button->text() == u"Import")
                QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(everyoneChosen);
        QVERIFY(legalPositionsAsked);

        ShellFixture commandLine(People);
        const CommandRun run = modellocu(commandLine.folders(), {QStringLiteral("import")});
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
        const CommandRun refused = modellocu(installation.folders(), {QStringLiteral("import")});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("Il c.f. soggetto denuncia è obbligatorio")),
                 qPrintable(refused.err));
        const CommandRun uniemens =
            modellocu(installation.folders(), {QStringLiteral("import"), QStringLiteral("--uniemens")});
        QVERIFY2(uniemens.status == 0, qPrintable(uniemens.err));
    }
};

QTEST_MAIN(TestFullJob)
#include "test_fulljob.moc"
