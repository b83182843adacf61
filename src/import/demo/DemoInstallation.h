// A complete demo installation: the folder tree, the program's files (when
// the target is not the running installation), the settings with an
// embedded SQLite archive, the field-value store with the certificate
// schemas, the payroll archive with the synthetic year 2024, and the check
// that the installed query catalogue loads, is the signed one, suits the
// program's version and that every statement runs on the archive.
#pragma once

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/installation/Folders.h"
#include "import/demo/DemoArchive.h"

#include <QString>
#include <memory>

namespace cu {
class Connection;
class Operator;
} // namespace cu

namespace cu::demo {

class DemoInstallation
{
public:
    // sourceRoot: the running installation (program files, resources);
    // targetRoot: the installation to create or fill (may be the same).
    DemoInstallation(const QString& sourceRoot, const QString& targetRoot, const DemoOptions& options,
                     Operator& op);
    ~DemoInstallation();

    // The operator that the installation's steps tell and ask.
    Operator& op() const { return m_op; }

    // The folders of the installation tree.
    void prepareFolders();
    // Copies executables and resources from the running installation; the
    // operator's own files (settings, KbrPar.ini, working data) are kept.
    void copyProgramFiles();
    // etc/modellocu.ini naming the embedded archive and the year and site
    // parameters, when the installation has no settings yet. Refuses an
    // installation whose settings name another database.
    void writeSettings();
    // A new archive file: store, certificate schemas, payroll tables, demo year.
    void createDatabase();
    // Loads the installed catalogue with its signature check, checks the
    // version of program for "Gestione compensi" (a refusal has been shown to
    // the operator and ends the step with EAbort) and runs every statement.
    void verifyCatalogue(const ProgramIdentity& program = ProgramIdentity::running());

    const Folders& folders() const { return m_target; }
    QString databasePath() const;
    const DemoSummary& summary() const { return m_summary; }
    int statementsVerified() const { return m_statements; }
    // The open archive (after createDatabase), for the steps that follow.
    Connection& connection();
    HlmQueryText& catalogue();

    static QString settingsPath(const Folders& folders);

private:
    void openConnection();
    void loadCatalogue();

    Folders m_source;
    Folders m_target;
    DemoOptions m_options;
    Operator& m_op;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<HlmQueryText> m_catalogue;
    DemoSummary m_summary;
    int m_statements = 0;
};

} // namespace cu::demo
