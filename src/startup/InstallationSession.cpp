// Bringing up an installation through the start-up sequence.
#include "startup/InstallationSession.h"

#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/operator/Errors.h"

#include <QFileInfo>

namespace cu {

namespace {

// The SQLite driver creates a missing database file on opening; an archive
// that is not there must be reported, not replaced by an empty one.
void requireSqliteArchive(const ConnectionParams& params)
{
    if (params.driver.compare(u"QSQLITE", Qt::CaseInsensitive) != 0 || params.database == u":memory:")
        return;
    if (params.database.isEmpty())
        throw EZfError(QStringLiteral("Archivio SQLite non indicato nelle impostazioni."));
    if (!QFileInfo(params.database).isFile())
        throw EZfError(QStringLiteral("Archivio SQLite non trovato: %1").arg(params.database));
}

} // namespace

InstallationSession::InstallationSession(const Folders& folders, Operator& op, ProgramIdentity program,
                                         KbrParams::ProgramRunner runner)
    : m_folders(folders), m_op(op), m_connectionModule(folders, m_catalogue, op, std::move(program)),
      m_params(ParamManager::load(folders)),
      m_paramsModule(m_connection, m_catalogue, m_params, op, std::move(runner)), m_store(m_connection)
{
    m_context.folders = folders;
    m_context.catalogue = &m_catalogue;
    m_context.params = &m_params;
    m_context.op = &op;
}

InstallationSession::~InstallationSession() = default;

bool InstallationSession::open(const ConnectionParams& params, int workingYear)
{
    ParamManager::requireStartupParameters(ConnectionSettings::settingsFile(m_folders));
    requireSqliteArchive(params);
    try {
        if (!m_connectionModule.OpenConnection(&m_connection, params))
            return false;
    } catch (const DatabaseError& e) {
        if (m_connection.isConnected()) {
            // A maintenance statement failed: the session is not left half open.
            m_connection.close();
            throw;
        }
        // The driver's message alone does not say which archive was asked for.
        throw DatabaseError(QStringLiteral("%1 (%2)").arg(e.message(), ConnectionSettings::describe(params)),
                            e.statement());
    } catch (...) {
        m_connection.close();
        throw;
    }
    m_store.setProgramme(QStringLiteral("eli"));
    m_store.setYear(workingYear);
    m_store.setMonth(-1);
    m_context.connection = &m_connection;
    m_context.store = &m_store;
    m_context.workingYear = workingYear;
    return true;
}

bool InstallationSession::isOpen() const
{
    return m_connection.isConnected();
}

} // namespace cu
