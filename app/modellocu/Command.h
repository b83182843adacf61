// Subcommands of the command line. Each lives in its own file and registers
// itself with a static CommandRegistration, so adding one edits nothing else.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace cu::cli {

struct CommandLine
{
    QString root;      // --root DIR, empty for the default installation
    QStringList args;  // what follows the subcommand's name
};

struct Command
{
    QString name;
    QString summary; // one line for --help
    std::function<int(const CommandLine&)> run;
};

const QList<Command>& commands();

struct CommandRegistration
{
    explicit CommandRegistration(Command command);
};

} // namespace cu::cli
