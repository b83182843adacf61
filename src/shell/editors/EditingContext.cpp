// The editing windows' shared context.
#include "shell/editors/EditingContext.h"

#include "certificates/editing/Lookup.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "shell/common/HlmRicerca.h"
#include "shell/frame/LavoroCorrente.h"

namespace cu {

EditingContext::EditingContext(LavoroCorrente& lavoro, QObject* parent)
    : QObject(parent), m_lavoro(lavoro)
{
}

CertificateStore& EditingContext::certificates()
{
    if (!m_certificates) {
        m_schema = std::make_unique<CertificateSchema>(CertificateSchema::loadInstalled(m_lavoro.app.folders));
        m_certificates = std::make_unique<CertificateStore>(*m_lavoro.app.store, *m_schema);
    }
    return *m_certificates;
}

void EditingContext::vaiA(const CheckFinding& finding)
{
    if (m_navigatore)
        m_navigatore(finding);
}

EditingContext::~EditingContext() = default;

std::optional<QString> EditingContext::cerca(const ColumnSchema& column, QWidget* parent)
{
    const LookupSource source = lookupSource(column);
    if (source.kind == LookupSource::Kind::None)
        return std::nullopt;
    Dataset rows;
    loadLookup(rows, source, certificates(), m_lavoro.app.folders);
    HlmRicerca dialog(rows, hiddenLookupFields(source), parent);
    const QString field = firstShownField(rows, source);
    if (dialog.exec() != QDialog::Accepted || rows.recNo() < 0)
        return std::nullopt;
    const QVariant value = rows.value(rows.requireField(field));
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

std::optional<std::pair<QString, QString>> EditingContext::scegliNota(QWidget* parent)
{
    const LookupSource notes{LookupSource::Kind::File, QStringLiteral("TNOT_NOTE.CDS")};
    Dataset rows;
    loadLookupFile(rows, notes, m_lavoro.app.folders);
    // The dialog shows the code and the annotation; "Nota" holds the same text.
    HlmRicerca dialog(rows, {QStringLiteral("Nota")}, parent);
    if (dialog.exec() != QDialog::Accepted || rows.recNo() < 0)
        return std::nullopt;
    return std::pair(rows.asString(u"Codice"), rows.asString(u"Annotazione"));
}

void EditingContext::annunciaModifica(const QStringList& tables, QObject* source)
{
    emit tabelleModificate(tables, source);
}

} // namespace cu
