// The other withholding agents (TCUAS_DATIALTRISOST, one row per agent),
// to which a certificate refers by fiscal code in SCUDALTROSOSCODFIS.
// - A row is posted only with its fiscal code, and with a code that no other
//   agent of the table has (two agents with one code could not be told
//   apart by the certificates).
// - Changing an agent's fiscal code gives the new code to every certificate
//   that referred to the old one; the agent and the certificates are saved
//   in one transaction.
// - An agent to which certificates refer cannot be deleted.
#pragma once

#include "certificates/editing/TableEditing.h"

namespace cu {

class OtherAgentsEditing : public TableEditing
{
public:
    static inline const QString TableName = QStringLiteral("TCUAS_DATIALTRISOST");

    OtherAgentsEditing(CertificateStore& certificates, Operator& op);

    // Moves to the agent of a fiscal code (blanks and case ignored); true when found.
    bool locate(const QString& fiscalCode);
    // How many certificates of the year refer to a fiscal code.
    int certificatesReferringTo(const QString& fiscalCode);
    // Certificates whose reference changed in the last save.
    int renamedCertificates() const { return m_renamed; }

protected:
    void checkBeforePost() override;
    void saveAfterPost() override;
    void checkBeforeRemove() override;

private:
    void requireUniqueCode(const QString& code) const;
    // Gives every certificate of oldCode the newCode, saving each under its month.
    int renameInCertificates(const QString& oldCode, const QString& newCode);

    QString m_codeWhenSelected;
    int m_renamed = 0;
};

} // namespace cu
