// The certificate editor's session.
#include "certificates/editing/CertificateEditing.h"

#include "certificates/CertificateKey.h"
#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/agent/AgentEditing.h"
#include "certificates/editing/Insertion.h"
#include "certificates/editing/PrintedLock.h"
#include "foundation/database/Connection.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "store/HlmDBCds.h"

namespace cu {

namespace {

QString orderText(ListOrder order)
{
    switch (order) {
    case ListOrder::Name:
        return QStringLiteral("SCUDNOME;SCUDCOGNOME;SCUDMESE");
    case ListOrder::Month:
        return QStringLiteral("SCUDMESE;SCUDCOGNOME;SCUDNOME");
    case ListOrder::FiscalCode:
        return QStringLiteral("SCUDCODFIS");
    case ListOrder::Surname:
        break;
    }
    return QStringLiteral("SCUDCOGNOME;SCUDNOME;SCUDMESE");
}

QString keyOf(const QString& fiscalCode, const QString& month)
{
    return fiscalCode.trimmed().toUpper() + u'/' + month.trimmed();
}

} // namespace

CertificateEditing::CertificateEditing(CertificateStore& certificates, Operator& op)
    : TableEditing(certificates, op, certificate::Table)
{
    for (const SectionInfo& info : sectionInfos())
        m_sections.push_back(std::make_unique<SectionEditing>(certificates, op, info, m_current));
}

CertificateEditing::~CertificateEditing() = default;

void CertificateEditing::open()
{
    certificates().openTable(m_agent, AgentEditing::TableName);
    m_agent.first();
    certificates().openCertificates(rows());
    // Without an agent's row there is no signature to give.
    m_signaturesUpdated =
        m_agent.isEmpty() ? 0 : certificates().updateSignatures(rows(), m_agent.asString(u"SSOSFIRMACOM"));
    rows().first();
    select();
}

bool CertificateEditing::canClose()
{
    for (const auto& section : m_sections)
        if (!section->canClose())
            return false;
    return TableEditing::canClose();
}

void CertificateEditing::orderBy(ListOrder order)
{
    requireNothingPending();
    rows().setIndexFieldNames(orderText(order));
    select();
}

void CertificateEditing::moveTo(int position)
{
    if (position == rows().recNo())
        return;
    requireNothingPending();
    rows().setRecNo(position);
    select();
}

void CertificateEditing::find(const QString& fiscalCode, const QString& month)
{
    const QString code = fiscalCode.trimmed().toUpper();
    QVector<int> found;
    QStringList months;
    const int codeField = rows().requireField(u"SCUDCODFIS");
    const int monthField = rows().requireField(u"SCUDMESE");
    for (int position = 0; position < rows().recordCount(); ++position) {
        if (rows().valueAt(position, codeField).toString().trimmed().toUpper() != code)
            continue;
        const QString text = rows().valueAt(position, monthField).toString();
        if (!month.isEmpty() && text != month)
            continue;
        found.append(position);
        months.append(text);
    }
    const QString wanted = month.isEmpty() ? code : code + u'/' + month;
    if (found.isEmpty())
        throw EZfError(QStringLiteral("Certificazione non trovata: %1").arg(wanted));
    if (found.size() > 1)
        throw EZfError(QStringLiteral("Più certificazioni per %1 (mesi %2): indicare CODICEFISCALE/MESE")
                           .arg(wanted, months.join(QStringLiteral(", "))));
    moveTo(found.first());
}

void CertificateEditing::releasePrinted()
{
    if (!canReleasePrinted())
        return;
    if (op().ask(QStringLiteral("Il modello è gia stato stampato, si desidera modificarlo?")) !=
        Operator::Answer::Yes)
        throw EAbort();
    certificates().setPrintedState(rows(), 0);
    select();
}

void CertificateEditing::insert(const InsertionChoice& choice)
{
    choice.require();
    requireNothingPending();
    TableEditing::insert();
    rows().setValue(u"LCUDCOMPRENSIVO", QStringLiteral("X"));
    rows().setValue(u"LCUDCONGUAGLIO", choice.adjustmentFlag());
    rows().setValue(u"SCUDMESE", choice.monthText());
    m_current = CurrentCertificate::of(rows());
    for (const auto& section : m_sections)
        section->open();
}

void CertificateEditing::addNote(const QString& code, const QString& note)
{
    edit();
    rows().setValue(u"SCUDANNOTAZIONI", rows().asString(u"SCUDANNOTAZIONI") + QStringLiteral("\r\n") + code +
                                            QStringLiteral(") ") + note);
}

SectionEditing& CertificateEditing::section(SectionKind kind)
{
    for (const auto& section : m_sections)
        if (section->info().kind == kind)
            return *section;
    throw EAssertion(QStringLiteral("Sezione sconosciuta"), QStringLiteral("CertificateEditing"));
}

void CertificateEditing::checkCanChange()
{
    if (rows().state() != Dataset::State::Insert && m_current.isPrinted())
        throw PrintedLock();
}

void CertificateEditing::insertForEdit()
{
    throw EZfError(QStringLiteral("Nessun modello da modificare: inserirne uno nuovo."));
}

void CertificateEditing::checkBeforePost()
{
    if (rows().asString(u"SCUDCODFIS").trimmed().isEmpty())
        throw EZfError(QStringLiteral("Codice fiscale obbligatorio"));
    requireUniqueKey();
    if (rows().state() == Dataset::State::Edit)
        rows().setValue(u"iCudStato", m_current.state);
}

void CertificateEditing::requireUniqueKey() const
{
    const QString key = keyOf(rows().asString(u"SCUDCODFIS"), rows().asString(u"SCUDMESE"));
    const int codeField = rows().requireField(u"SCUDCODFIS");
    const int monthField = rows().requireField(u"SCUDMESE");
    for (int position = 0; position < rows().recordCount(); ++position) {
        if (position == rows().recNo())
            continue;
        if (keyOf(rows().valueAt(position, codeField).toString(),
                  rows().valueAt(position, monthField).toString()) == key)
            throw EZfError(QStringLiteral("Esiste già un modello per %1").arg(key));
    }
}

void CertificateEditing::saveAfterPost()
{
    certificates().saveCertificate(rows());
    select();
}

void CertificateEditing::checkBeforeRemove()
{
    const QString question =
        m_current.isPrinted() ? QStringLiteral("IL MODELLO E' GIA STATO STAMPATO. Confermi la cancellazione?")
                              : QStringLiteral("Confermi la cancellazione del modello corrente?");
    if (op().ask(question) != Operator::Answer::Yes)
        throw EAbort();
    m_removed = m_current;
}

void CertificateEditing::saveAfterRemove()
{
    HlmDBCds& store = certificates().store();
    Transaction transaction(certificates().connection());
    try {
        store.save(rows(), certificate::Table, m_removed.storeMonth(), store.year());
        removeSectionRows(m_removed);
        transaction.commit();
    } catch (...) {
        certificates().openCertificates(rows());
        select();
        throw;
    }
    select();
}

void CertificateEditing::removeSectionRows(const CurrentCertificate& removed)
{
    if (!removed.isStored())
        return;
    HlmDBCds& store = certificates().store();
    for (const QString& table : certificate::sectionTables()) {
        Dataset section;
        certificates().openSection(section, table, removed.person);
        if (section.isEmpty())
            continue;
        while (!section.isEmpty()) {
            section.first();
            section.remove();
        }
        store.save(section, table, removed.storeMonth(), store.year());
    }
}

void CertificateEditing::select()
{
    m_current = CurrentCertificate::of(rows());
    for (const auto& section : m_sections)
        section->open();
}

void CertificateEditing::requireNothingPending() const
{
    bool pending = isEditing();
    for (const auto& section : m_sections)
        pending = pending || section->isEditing();
    if (pending)
        throw EZfError(QStringLiteral("Salvare prima di cambiare modello."));
}

} // namespace cu
