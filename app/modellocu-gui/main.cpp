// modellocu-gui: the desktop program of Modello CU. The installation is the
// folder above the executable's, or the one given with --root; the archive
// comes from its settings and the --db-* options, as on the command line.
// The installation is brought up through the start-up sequence shared with
// the command line; when the connection cannot open the operator is told
// why and the program ends. Then the main window asks for the financial
// year and offers the activities.
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "shell/common/BusyCursor.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/ItalianLocale.h"
#include "shell/editors/Editori.h"
#include "shell/frame/EliMain.h"
#include "shell/output/FinestreOutput.h"
#include "startup/AnnoFinanziario.h"
#include "startup/InstallationSession.h"

#include <QApplication>
#include <memory>

namespace {

// The installation named by the arguments, opened for the year the local
// table proposes; null when it could not be (the operator has seen why).
std::unique_ptr<cu::InstallationSession> openInstallation(QStringList args, cu::Operator& op)
{
    try {
        QString root;
        const qsizetype at = args.indexOf(QStringLiteral("--root"));
        if (at >= 0) {
            if (at + 1 >= args.size())
                throw cu::EZfError(QStringLiteral("Valore mancante per --root"));
            root = args.takeAt(at + 1);
            // An empty root would be read as the program's own installation.
            if (root.trimmed().isEmpty())
                throw cu::EZfError(QStringLiteral("L'opzione --root vuole la cartella dell'installazione (non vuota)."));
            args.removeAt(at);
        }
        const cu::Folders folders(root);
        const cu::ConnectionParams params = cu::ConnectionSettings::load(folders, args);
        if (!args.isEmpty())
            throw cu::EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(args.first()));
        auto session = std::make_unique<cu::InstallationSession>(folders, op);
        const int proposed = cu::AnnoFinanziario::proposto(folders).toInt();
        if (session->open(params, cu::WorkingYear::isChoosable(proposed) ? proposed : cu::WorkingYear::Default))
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
    QApplication::setOrganizationName(QStringLiteral("ModelloCU"));
    QApplication::setApplicationVersion(QStringLiteral(MODELLOCU_VERSION));
    cu::installItalian(app);

    cu::DialogOperator op;
    const auto installation = openInstallation(app.arguments().mid(1), op);
    if (!installation)
        return 1;
    cu::BusyCursor hourglass;
    cu::AppContext& context = installation->context();
    context.store->setBusyIndicator(&hourglass);
    cu::LavoroCorrente lavoro{context, op, QString::number(context.workingYear), QString()};
    cu::EliMain window(lavoro);
    cu::registraEditori(window);
    cu::registraFinestreOutput(window);
    op.setParent(&window);
    window.show();
    return app.exec();
}
