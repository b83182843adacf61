// The CT form (TCUCT_DATICT, one row per year). A row is added only while the
// table is empty. The agent's flag LSOSCT follows the form: after every post
// it is "1" when the form holds a mobile number or an e-mail address
// (SCTCELL, SCTEMAIL, blanks ignored), "0" otherwise, and after the form is
// deleted it is "0"; the form and the agent's row are saved together.
#pragma once

#include "certificates/editing/TableEditing.h"

namespace cu {

class CtFormEditing : public TableEditing
{
public:
    static inline const QString TableName = QStringLiteral("TCUCT_DATICT");

    CtFormEditing(CertificateStore& certificates, Operator& op);

    bool canInsert() const override { return rows().isEmpty(); }
    // The value of LSOSCT for the form: "1" when it is part of the supply
    // (isCtFormPresent), "0" otherwise.
    static QString agentFlagFor(const Dataset& form);

protected:
    void saveAfterPost() override;
    void saveAfterRemove() override;

private:
    // Sets the agent's LSOSCT and saves it with the form, in one transaction.
    void saveWithAgentFlag(const QString& flag);
};

} // namespace cu
