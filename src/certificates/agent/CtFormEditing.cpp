// The CT form and the agent's LSOSCT.
#include "certificates/agent/CtFormEditing.h"

#include "certificates/CertificateStore.h"
#include "certificates/CtForm.h"
#include "certificates/agent/AgentEditing.h"
#include "foundation/database/Connection.h"
#include "store/HlmDBCds.h"

namespace cu {

CtFormEditing::CtFormEditing(CertificateStore& certificates, Operator& op)
    : TableEditing(certificates, op, TableName)
{
}

QString CtFormEditing::agentFlagFor(const Dataset& form)
{
    return isCtFormPresent(form) ? QStringLiteral("1") : QStringLiteral("0");
}

void CtFormEditing::saveAfterPost()
{
    saveWithAgentFlag(agentFlagFor(rows()));
}

void CtFormEditing::saveAfterRemove()
{
    saveWithAgentFlag(QStringLiteral("0"));
}

void CtFormEditing::saveWithAgentFlag(const QString& flag)
{
    HlmDBCds& store = certificates().store();
    Dataset agent;
    certificates().openTable(agent, AgentEditing::TableName);
    agent.first();
    Transaction transaction(certificates().connection());
    try {
        saveRows();
        // Without an agent row there is no flag to keep.
        if (!agent.isEmpty() && agent.asString(u"LSOSCT") != flag) {
            agent.edit();
            agent.setValue(u"LSOSCT", flag);
            agent.post();
            store.save(agent, AgentEditing::TableName);
        }
        transaction.commit();
    } catch (...) {
        open(); // the form as the store still has it
        throw;
    }
}

} // namespace cu
