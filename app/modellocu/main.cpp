// modellocu: the command line of Modello CU. Dispatches to the subcommands.
#include "Command.h"

#include "foundation/operator/Errors.h"
#include "foundation/operator/TerminalOperator.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace cu::cli {

namespace {

QList<Command>& registry()
{
    static QList<Command> all;
    return all;
}

void printHelp(QTextStream& out)
{
    out << "Uso: modellocu [--root CARTELLA] COMANDO [opzioni]\n\n"
        << "Comandi:\n";
    for (const Command& c : commands())
        out << "  " << c.name.leftJustified(16) << c.summary << '\n';
    out << "\nOgni comando accetta --help per le sue opzioni.\n";
}

// The libraries' own warnings (a database driver that cannot free its
// statements once the server is gone, and the like) are not for the
// operator, who gets the program's message; MODELLOCU_DEBUG shows them.
void quietLibraryWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

const QList<Command>& commands()
{
    return registry();
}

CommandRegistration::CommandRegistration(Command command)
{
    registry().append(std::move(command));
    std::sort(registry().begin(), registry().end(),
              [](const Command& a, const Command& b) { return a.name < b.name; });
}

} // namespace cu::cli

int main(int argc, char* argv[])
{
    using namespace cu::cli;
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("MODELLOCU_DEBUG"))
        qInstallMessageHandler(quietLibraryWarnings);
    QCoreApplication::setApplicationName(QStringLiteral("modellocu"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MODELLOCU_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = app.arguments().mid(1);
    CommandLine line;
    while (!args.isEmpty() && args.first().startsWith(u'-')) {
        const QString opt = args.takeFirst();
        if (opt == u"--root") {
            // An empty root would be read as the program's own installation.
            if (args.isEmpty() || args.first().trimmed().isEmpty()) {
                err << "L'opzione --root vuole la cartella dell'installazione (non vuota).\n";
                return 2;
            }
            line.root = args.takeFirst();
        } else if (opt == u"--help" || opt == u"-h") {
            printHelp(out);
            return 0;
        } else if (opt == u"--version") {
            out << "modellocu " << MODELLOCU_VERSION << '\n';
            return 0;
        } else {
            err << "Opzione sconosciuta: " << opt << '\n';
            return 2;
        }
    }
    if (args.isEmpty()) {
        printHelp(out);
        return 2;
    }
    const QString name = args.takeFirst();
    // Ctrl+C asks a long run to end after its current unit of work.
    cu::TerminalOperator::installInterruptHandler();
    for (const Command& c : commands()) {
        if (c.name == name) {
            line.args = args;
            try {
                return c.run(line);
            } catch (const cu::Error& e) {
                if (e.severity() != cu::Severity::Silent)
                    err << e.message() << '\n';
                return 1;
            } catch (const std::exception& e) {
                err << e.what() << '\n';
                return 1;
            }
        }
    }
    err << "Comando sconosciuto: " << name << '\n';
    printHelp(err);
    return 2;
}
