// The program-wide objects of one installation, brought up by the program's
// start-up sequence, for the desktop program and the command line alike.
// Construction creates them in the program's order: the connection module
// (the query catalogue of etc/kbr prepared, its signature check on), then the
// parameters module (the parameters of the settings file, with the value
// check of the financial year installed). open() checks the catalogue and the
// program's version, connects, brings the shared archive up to date (repair
// statements, report definitions, compensation register) and readies the
// shared field-value store of programme "eli" for the working year. Nothing
// here needs a screen: the command line links it without widgets.
#pragma once

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/KbrConnessione.h"
#include "foundation/installation/KbrParams.h"
#include "foundation/installation/ParamManager.h"
#include "store/HlmDBCds.h"

namespace cu {

class InstallationSession
{
public:
    // runner: how the parameters module starts the chart-of-accounts update
    // program (empty: as a process of the system).
    InstallationSession(const Folders& folders, Operator& op,
                        ProgramIdentity program = ProgramIdentity::running(),
                        KbrParams::ProgramRunner runner = {});
    ~InstallationSession();
    InstallationSession(const InstallationSession&) = delete;
    InstallationSession& operator=(const InstallationSession&) = delete;

    // Connects to the archive of params for workingYear. False when the
    // catalogue or the program's version was refused: the operator has been
    // told why and nothing is connected. A settings file that is missing,
    // empty or without valid start-up parameters is an EZfError naming the
    // setting (ParamManager::requireStartupParameters). An SQLite archive that does not
    // exist is an EZfError naming it (no empty file is left behind); a
    // connection that does not open or a failing maintenance statement is
    // the DatabaseError of the connection.
    bool open(const ConnectionParams& params, int workingYear);
    bool isOpen() const;

    // The values handed to the engine; connection, store and catalogue are
    // usable once open() returned true.
    AppContext& context() { return m_context; }
    KbrConnessione& connectionModule() { return m_connectionModule; }
    KbrParams& paramsModule() { return m_paramsModule; }

private:
    Folders m_folders;
    Operator& m_op;
    Connection m_connection;
    HlmQueryText m_catalogue;
    KbrConnessione m_connectionModule;
    ParamManager m_params;
    KbrParams m_paramsModule;
    HlmDBCds m_store;
    AppContext m_context;
};

} // namespace cu
