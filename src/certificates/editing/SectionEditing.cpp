// A section frame's rules.
#include "certificates/editing/SectionEditing.h"

#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/editing/CurrentCertificate.h"
#include "certificates/editing/FamilyMonths.h"
#include "certificates/editing/PrintedLock.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "store/HlmDBCds.h"

namespace cu {

QString SectionInfo::deletionQuestion() const
{
    return QStringLiteral("Confermi la cancellazione della sezione \"%1\"?").arg(name);
}

const QVector<SectionInfo>& sectionInfos()
{
    static const QVector<SectionInfo> all{
        {SectionKind::Inps, QStringLiteral("TCUDI_INPS"), QStringLiteral("INPS")},
        {SectionKind::InpsSection3, QStringLiteral("TCUDI_INPS"), QStringLiteral("INPS")},
        {SectionKind::Inpdap, QStringLiteral("TCUDN_INPDAP"), QStringLiteral("INPDAP")},
        {SectionKind::Inail, QStringLiteral("TCUIN_INAIL"), QStringLiteral("INAIL")},
        {SectionKind::OtherBodies, QStringLiteral("TCUDAE_ALTRIENTI"), QStringLiteral("ALTRI ENTI")},
        {SectionKind::Family, QStringLiteral("TCUDC_CONFAMCARICO"),
         QStringLiteral("congiuge e familiari a carico")},
        {SectionKind::Tfr, QStringLiteral("TCUDT_TFR"), QStringLiteral("TFR")},
        {SectionKind::SelfEmployment, QStringLiteral("TASE_AUTSOMMEEROGATE"), QStringLiteral("Autonomo")},
        {SectionKind::Cooperatives, QStringLiteral("TCUDCA_COOPART"), QStringLiteral("CoopArt")},
    };
    return all;
}

SectionEditing::SectionEditing(CertificateStore& certificates, Operator& op, const SectionInfo& info,
                               const CurrentCertificate& current)
    : TableEditing(certificates, op, info.table), m_info(info), m_current(current)
{
}

void SectionEditing::open()
{
    if (m_current.isStored()) {
        certificates().openSection(rows(), m_info.table, m_current.person);
        rows().first();
        return;
    }
    // A certificate not yet stored has no rows.
    rows().setFields(table().fieldDefs());
    rows().open();
}

bool SectionEditing::isReadOnly() const
{
    return m_current.isPrinted();
}

void SectionEditing::checkCanChange()
{
    if (m_current.isPrinted())
        throw PrintedLock();
    if (!m_current.isStored())
        throw EZfError(QStringLiteral("Salvare il modello prima di compilarne le sezioni."));
}

void SectionEditing::checkBeforePost()
{
    if (m_info.kind == SectionKind::Family)
        requireValidFamilyMonths(rows());
    if (rows().state() != Dataset::State::Insert)
        return;
    rows().setValue(u"iAfiID", m_current.person);
    rows().setValue(u"SCUDCODFIS", m_current.fiscalCode);
    rows().setValue(u"SCUDMESE", m_current.month);
}

void SectionEditing::saveAfterPost()
{
    saveForCertificate();
}

void SectionEditing::checkBeforeRemove()
{
    checkCanChange();
    if (op().ask(m_info.deletionQuestion()) != Operator::Answer::Yes)
        throw EAbort();
}

void SectionEditing::saveAfterRemove()
{
    saveForCertificate();
}

void SectionEditing::saveForCertificate()
{
    HlmDBCds& store = certificates().store();
    store.save(rows(), m_info.table, m_current.storeMonth(), store.year());
}

} // namespace cu
