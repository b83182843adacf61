// show and set of a one-row table.
#include "SingleRowCommand.h"

#include "certificates/editing/TableEditing.h"

namespace cu::cli {

int runSingleRowCommand(const CommandLine& line, const QString& usage, const EditingFactory& make)
{
    QTextStream out(stdout);
    const EditingArguments arguments = EditingArguments::parse(line);
    if (arguments.helpShown(out, usage))
        return 0;
    arguments.requireShowOrSet();
    EditingInstallation installation(arguments);
    const std::unique_ptr<TableEditing> editing = make(installation.certificates(), installation.op());
    editing->open();
    if (arguments.action == u"show") {
        printRow(out, *editing, true);
        return 0;
    }
    editing->edit();
    applyAssignments(*editing, arguments.assignments, installation.op());
    editing->post();
    out << QStringLiteral("%1: dati salvati.\n").arg(editing->table().name);
    return 0;
}

} // namespace cu::cli
