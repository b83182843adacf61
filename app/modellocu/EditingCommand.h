// What the editing commands (sostituto, fornitore, quadro-ct,
// altri-sostituti, certificato, stato, check) share: their arguments, the
// installation opened with the certificate tables, the COLUMN=value
// assignments (on the command line or in a key=value file) and the printing
// of rows. The rules themselves are the core's (src/certificates).
#pragma once

#include "Command.h"
#include "OpenInstallation.h"

#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/TerminalOperator.h"

#include <QTextStream>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

namespace cu {
class TableEditing;
}

namespace cu::cli {

// One COLUMN=value; where it came from names it in errors.
struct Assignment
{
    QString column;
    QString value;
    QString origin; // "argomento 2", "file.txt riga 4"
};

struct EditingArguments
{
    Folders folders;             // --root
    ConnectionParams connection; // settings file and --db-* options
    QString action;              // the first word: show, set, list, delete
    int year = WorkingYear::Default; // --anno
    bool yes = false;            // --yes
    bool help = false;           // --help
    bool all = false;            // --tutti
    bool editable = false;       // --modificabile
    QString key;                 // --cf CF[/MM]
    QVector<Assignment> assignments;

    // Reads the arguments; an unknown option or a malformed assignment or
    // file line is an EZfError naming it.
    static EditingArguments parse(const CommandLine& line);
    // With --help: writes the usage and the common options to out, true.
    bool helpShown(QTextStream& out, const QString& usage) const;
    // Refuses an action outside the list.
    void requireAction(const QStringList& actions) const;
    // "show" without assignments or "set" with them.
    void requireShowOrSet() const;
    // Refuses any action word and any assignment (commands without actions).
    void requireNothingMore() const;
    // Refuses assignments (for show, list, delete).
    void requireNoAssignments() const;
    void requireAssignments() const;
    // The fiscal code and the month ("" when not given) of --cf; refused when missing.
    QString keyCode() const;
    QString keyMonth() const;
};

// One line of a key=value text: "COLUMN=value"; blank lines and lines
// starting with '#' give nothing.
std::optional<Assignment> parseAssignment(const QString& text, const QString& origin);
QVector<Assignment> readAssignmentFile(const QString& path);

// An installation opened for an editing command.
class EditingInstallation
{
public:
    explicit EditingInstallation(const EditingArguments& arguments);

    CertificateStore& certificates() { return *m_certificates; }
    const CertificateSchema& schema() const { return m_schema; }
    Operator& op() { return m_op; }
    const Folders& folders() const { return m_folders; }

private:
    Folders m_folders;
    TerminalOperator m_op;
    std::unique_ptr<OpenInstallation> m_installation;
    CertificateSchema m_schema;
    std::unique_ptr<CertificateStore> m_certificates;
};

// Sets each assignment through the editing's typed texts; a field that the
// field checks find wrong is stored all the same, with a warning.
void applyAssignments(TableEditing& editing, const QVector<Assignment>& assignments, Operator& op);

// The current row as "COLUMN=value" lines (Italian formats), empty values
// too when all is set: a file that "set --file" reads back.
void printRow(QTextStream& out, const TableEditing& editing, bool all);

// The usage text's lines shared by the editing commands.
QString commonOptionsHelp();

// Runs a command body, turning a printed certificate's lock (silent in the
// windows) into an error with its message.
int runEditing(const std::function<int()>& body);

} // namespace cu::cli
