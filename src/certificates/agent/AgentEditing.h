// The withholding agent's own row (TCUS_DATISOST, one per year): a row is
// added only while the table is empty, and the one row cannot be deleted.
#pragma once

#include "certificates/editing/TableEditing.h"

namespace cu {

class AgentEditing : public TableEditing
{
public:
    static inline const QString TableName = QStringLiteral("TCUS_DATISOST");

    AgentEditing(CertificateStore& certificates, Operator& op);

    bool canInsert() const override { return rows().isEmpty(); }

protected:
    void checkBeforeRemove() override;
};

} // namespace cu
