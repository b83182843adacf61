// modellocu-gui: the desktop program of Modello CU. The installation is the
// folder above the executable's, or the one given with --root; the archive
// comes from its settings and the --db-* options, as on the command line.
// Once the window is shown the installation is brought up through the
// start-up sequence; when that fails the operator is told why and the window
// stays open, empty.
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "shell/common/DialogOperator.h"
#include "startup/InstallationSession.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <memory>

namespace {

// The installation named by the arguments, opened; null when it could not
// be (the operator has seen why).
std::unique_ptr<cu::InstallationSession> openInstallation(QStringList args, cu::Operator& op)
{
    try {
        QString root;
        const qsizetype at = args.indexOf(QStringLiteral("--root"));
        if (at >= 0) {
            if (at + 1 >= args.size())
                throw cu::EZfError(QStringLiteral("Valore mancante per --root"));
            root = args.takeAt(at + 1);
            args.removeAt(at);
        }
        const cu::Folders folders(root);
        const cu::ConnectionParams params = cu::ConnectionSettings::load(folders, args);
        if (!args.isEmpty())
            throw cu::EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(args.first()));
        auto session = std::make_unique<cu::InstallationSession>(folders, op);
        if (session->open(params, cu::WorkingYear::Default))
            return session;
    } catch (const std::exception& e) {
        op.report(e);
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Modello CU 2025"));
    QApplication::setApplicationVersion(QStringLiteral(MODELLOCU_VERSION));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("CU 2025"));
    window.resize(1024, 720);
    window.show();
    cu::DialogOperator op(&window);
    const auto installation = openInstallation(app.arguments().mid(1), op);
    if (installation)
        window.statusBar()->showMessage(
            QStringLiteral("Anno finanziario: %1").arg(installation->context().workingYear));
    return app.exec();
}
