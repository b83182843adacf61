// screens: the screenshots of the user guide. Builds a demo installation in
// a temporary folder, opens it as the desktop program does and saves a PNG
// of each window into the folder given with --out: the main window, the
// financial-year dialog, both pages of the import wizard, the selection
// window, the legal-position dialog, the information window with an
// import log; then the editing windows (EditorScreens), the file wizard and
// the print windows (OutputScreens). Runs on the offscreen platform
// (tools/screens/run).
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/dataset/Dataset.h"
#include "import/run/ImportRun.h"
#include "import/run/ParametriRecord.h"
#include "import/demo/DemoInstallation.h"
#include "telematic/ProducerSetting.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/EliSInfo.h"
#include "shell/common/ItalianLocale.h"
#include "shell/frame/EliMain.h"
#include "shell/frame/EliParametri.h"
#include "shell/import/EliCudTno.h"
#include "shell/import/EliImpMultiSelect.h"
#include "shell/import/EliWizImport.h"
#include "startup/InstallationSession.h"
#include "EditorScreens.h"
#include "OutputScreens.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace cu;

namespace {

QString outputFolder;

void save(QWidget* window, const QString& name)
{
    window->show();
    QApplication::processEvents();
    const QString path = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
    QTextStream(stdout) << path << '\n';
}

// Keeps the messages of the demo's import quiet: the demo has persons that
// the import refuses on purpose. Failures raise and end the tool.
class QuietOperator : public DialogOperator
{
public:
    void error(const QString&) override {}
    void information(const QString&) override {}
    void warning(const QString&) override {}
    void stop(const QString&) override {} // the demo's persons that the import refuses
};

// Answers the legal-position choice by photographing the dialog.
class PhotographedChoice : public SceltaPosizioniGiuridiche
{
public:
    bool scegli(const QString& caption, QVector<PosizioneGiuridicaRiga>& rows, bool& cococo) override
    {
        EliCudTno dialog(caption, rows, cococo);
        save(&dialog, QStringLiteral("posizioni-giuridiche"));
        taken = true;
        return true;
    }
    bool taken = false;
};

// The position of a demo person in the selection list (its personnel code).
QString positionOf(const ArchiveRows& list, int code)
{
    for (int row = 0; row < list.size(); ++row)
        if (list.integer(row, QStringLiteral("CODICE")) == code)
            return QString::number(list.integer(row, QStringLiteral("IACOMID")));
    qFatal("demo person %d not listed", code);
}

void screens(LavoroCorrente& lavoro, int siteId)
{
    // The main window at its first activation: the year dialog photographed
    // and confirmed, then the window itself.
    EliMain main(lavoro);
    main.resize(1000, 640);
    bool yearTaken = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<EliParametri*>(QApplication::activeModalWidget())) {
            save(dialog, QStringLiteral("parametri"));
            dialog->accept();
            yearTaken = true;
        }
    });
    poll.start(5);
    main.show();
    while (!yearTaken)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    poll.stop();
    save(&main, QStringLiteral("finestra-principale"));

    Dataset record;
    ParametriRecord::prepara(record, *lavoro.app.store);
    EliWizImport wizard(lavoro, record, siteId);
    save(&wizard, QStringLiteral("importa-mese"));
    wizard.next();
    save(&wizard, QStringLiteral("importa-parametri"));

    const ImportParameters params = ParametriRecord::leggi(record);
    const ArchiveRows list = listaPosizioni(lavoro.app, params, siteId);
    EliImpMultiSelect selection(lavoro, params, list, siteId);
    selection.resize(880, 600);
    save(&selection, QStringLiteral("scelta-dipendenti"));

    PhotographedChoice choice;
    ImportParameters only = params;
    only.overwrite = OverwritePolicy::Always;
    only.only = {positionOf(list, 21)};
    ImportRunOptions options;
    options.siteId = siteId;
    options.choice = &choice;
    options.showClosing = false;
    runImport(lavoro.app, only, lavoro.op, options);
    if (!choice.taken)
        qFatal("the legal-position dialog did not appear");

    ImportParameters everyone = params;
    everyone.overwrite = OverwritePolicy::Always;
    options.choice = nullptr; // the stored settings for everyone else
    const ImportOutcome outcome = runImport(lavoro.app, everyone, lavoro.op, options);
    EliSInfo info(outcome.lines, QString());
    info.resize(680, 460);
    save(&info, QStringLiteral("informazioni"));

    editorScreens(lavoro, save);
    outputScreens(lavoro, save);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Modello CU 2025"));
    QStandardPaths::setTestModeEnabled(true); // the operator's remembered windows stay untouched
    qputenv("MODELLOCU_OPENER", "true");      // the prints and folders shown open nothing
    installItalian(app);
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--out"));
    outputFolder = at >= 0 && at + 1 < args.size() ? args[at + 1] : QStringLiteral("docs/screens");
    QDir().mkpath(outputFolder);

    QTemporaryDir root;
    QuietOperator op;
    const QString programRoot = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(".."));
    demo::DemoOptions demoOptions;
    demoOptions.people = 40;
    demo::DemoInstallation demo(programRoot, root.path(), demoOptions, op);
    demo.prepareFolders();
    demo.copyProgramFiles();
    demo.writeSettings();
    setProducerFiscalCode(Folders(root.path()), QStringLiteral("01234567897")); // as the demo sets it
    demo.createDatabase();

    InstallationSession session(Folders(root.path()), op, ProgramIdentity{QStringLiteral("modellocu-gui"), QStringLiteral(MODELLOCU_VERSION),
                                     QStringLiteral("Modello CU 2025")},
                                [](const QString&, const QStringList&) { return false; });
    QStringList none;
    if (!session.open(ConnectionSettings::load(Folders(root.path()), none), 2024))
        return 1;
    LavoroCorrente lavoro{session.context(), op, QStringLiteral("2024"), QString()};
    try {
        screens(lavoro, 1);
    } catch (const std::exception& e) {
        qFatal("%s", e.what());
    }
    return 0;
}
