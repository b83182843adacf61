// One section frame of the certificate editor over its table: the rows of
// the selected certificate's person, read-only while the certificate is
// printed; a new row takes the certificate's iAfiID, SCUDCODFIS and SCUDMESE
// when posted; a delete asks the section's question; every post and delete
// is saved under the certificate's month. The family section also checks
// its month counts.
#pragma once

#include "certificates/editing/TableEditing.h"

namespace cu {

struct CurrentCertificate;

enum class SectionKind
{
    Inps,
    InpsSection3,
    Inpdap,
    Inail,
    OtherBodies,
    Family,
    Tfr,
    SelfEmployment,
    Cooperatives
};

struct SectionInfo
{
    SectionKind kind;
    QString table;
    QString name; // as the deletion question names it
    // "Confermi la cancellazione della sezione \"INPS\"?"
    QString deletionQuestion() const;
};

// The section frames in the order of the editor's pages (INPS and its
// section 3 are two frames over TCUDI_INPS).
const QVector<SectionInfo>& sectionInfos();

class SectionEditing : public TableEditing
{
public:
    SectionEditing(CertificateStore& certificates, Operator& op, const SectionInfo& info,
                   const CurrentCertificate& current);

    const SectionInfo& info() const { return m_info; }
    // The current certificate's rows (none before it is stored).
    void open() override;
    bool isReadOnly() const;

protected:
    void checkCanChange() override;
    void checkBeforePost() override;
    void saveAfterPost() override;
    void checkBeforeRemove() override;
    void saveAfterRemove() override;

private:
    void saveForCertificate();

    SectionInfo m_info;
    const CurrentCertificate& m_current;
};

} // namespace cu
