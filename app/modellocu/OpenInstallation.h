// An installation opened for a command run, through the program's start-up
// sequence (InstallationSession): the query catalogue checked, the connection
// opened with the archive's maintenance, the parameters with their value
// check, the field-value store of programme "eli" for the working year, and
// the context that hands them to the engine.
#pragma once

#include "startup/InstallationSession.h"

namespace cu::cli {

class OpenInstallation
{
public:
    // A refused catalogue or program version ends the command: the operator
    // has been told why and an EAbort is raised (the command's status is an
    // error). A missing archive, a connection that does not open or a failing
    // maintenance statement raise their error.
    OpenInstallation(const Folders& folders, const ConnectionParams& params, int workingYear, Operator& op);

    AppContext& context() { return m_session.context(); }
    InstallationSession& session() { return m_session; }

private:
    InstallationSession m_session;
};

} // namespace cu::cli
