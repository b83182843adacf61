// The transaction scope guard.
#include "foundation/database/Connection.h"

namespace cu {

Transaction::Transaction(Connection& connection, TransactionKind kind) : m_connection(connection)
{
    m_connection.startTransaction(kind);
}

Transaction::~Transaction()
{
    if (!m_done)
        m_connection.rollback();
}

void Transaction::commit()
{
    if (m_done)
        return;
    // Marked first: a commit that fails has already ended this level.
    m_done = true;
    m_connection.commit();
}

} // namespace cu
