// Opening an installation for a command run.
#include "OpenInstallation.h"

#include "foundation/ConnectionSettings.h"
#include "foundation/Errors.h"

#include <QDir>

namespace cu::cli {

OpenInstallation::OpenInstallation(const Folders& folders, const ConnectionParams& params, int workingYear,
                                   Operator& op)
    : m_store(m_connection, &op), m_params(ParamManager::load(folders))
{
    if (!m_connection.open(params))
        throw DatabaseError(QStringLiteral("Connessione non riuscita (%1): %2")
                                .arg(ConnectionSettings::describe(params), m_connection.lastError()));
    m_catalogue.Load(QDir(folders.etcKbr()).filePath(QStringLiteral("kbr_QueryText.cds")));
    m_catalogue.setEngine(params.driver);
    m_store.setProgramme(QStringLiteral("eli"));
    m_store.setYear(workingYear);
    m_store.setMonth(-1);
    m_store.setShowWait(false);

    m_context.folders = folders;
    m_context.connection = &m_connection;
    m_context.catalogue = &m_catalogue;
    m_context.params = &m_params;
    m_context.store = &m_store;
    m_context.op = &op;
    m_context.workingYear = workingYear;
}

} // namespace cu::cli
