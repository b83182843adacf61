// Opening an installation for a command run.
#include "OpenInstallation.h"

#include "foundation/operator/Errors.h"

namespace cu::cli {

OpenInstallation::OpenInstallation(const Folders& folders, const ConnectionParams& params, int workingYear,
                                   Operator& op)
    : m_session(folders, op)
{
    if (!m_session.open(params, workingYear))
        throw EAbort();
    // No wait windows on the terminal.
    m_session.context().store->setShowWait(false);
}

} // namespace cu::cli
