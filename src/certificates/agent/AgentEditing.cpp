// Rules of the withholding agent's row.
#include "certificates/agent/AgentEditing.h"

#include "foundation/operator/Errors.h"

namespace cu {

AgentEditing::AgentEditing(CertificateStore& certificates, Operator& op)
    : TableEditing(certificates, op, TableName)
{
}

void AgentEditing::checkBeforeRemove()
{
    if (rows().recordCount() == 1)
        throw EZfWarning(
            QStringLiteral("Presenza di un unico rigo per il sostituto, non è possibile cancellarlo!"));
}

} // namespace cu
