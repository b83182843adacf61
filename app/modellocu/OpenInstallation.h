// The program-wide objects of one command run on an installation: the
// connection, the query catalogue for its engine, the field-value store of
// programme "eli" for the working year, the start-up parameters, and the
// context that hands them to the engine.
#pragma once

#include "foundation/AppContext.h"
#include "foundation/Connection.h"
#include "foundation/HlmDBCds.h"
#include "foundation/HlmQueryText.h"
#include "foundation/ParamManager.h"

namespace cu::cli {

class OpenInstallation
{
public:
    // Opens the connection (a refusal is a DatabaseError naming the database
    // and the driver's message) and loads the installed catalogue.
    OpenInstallation(const Folders& folders, const ConnectionParams& params, int workingYear, Operator& op);

    AppContext& context() { return m_context; }

private:
    Connection m_connection;
    HlmQueryText m_catalogue;
    HlmDBCds m_store;
    ParamManager m_params;
    AppContext m_context;
};

} // namespace cu::cli
