// The person's certificate tables.
#include "import/sections/SezioniPersona.h"

#include "certificates/CertificateSchema.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "import/builders/CudContext.h"
#include "store/HlmDBCds.h"

namespace cu {

SezioniPersona::SezioniPersona(const CertificateSchema& schema) : m_schema(schema)
{
    for (auto& dataset : m_datasets)
        dataset = std::make_unique<Dataset>();
}

SezioniPersona::~SezioniPersona() = default;

QString SezioniPersona::tableName(Tabella table)
{
    static const std::array<QString, Count> names = {
        QStringLiteral("TCUD_DATICUD"),        QStringLiteral("TCUDI_INPS"),
        QStringLiteral("TCUDN_INPDAP"),        QStringLiteral("TCUIN_INAIL"),
        QStringLiteral("TCUDAE_ALTRIENTI"),    QStringLiteral("TCUDC_CONFAMCARICO"),
        QStringLiteral("TCUDT_TFR"),           QStringLiteral("TCUDA_ANNOTAZIONI"),
        QStringLiteral("TASE_AUTSOMMEEROGATE")};
    return names.at(table);
}

void SezioniPersona::open(HlmDBCds& store, int person, int year)
{
    for (int t = 0; t < Count; ++t) {
        Dataset& dataset = *m_datasets[t];
        if (person != 0) {
            store.open(dataset, tableName(Tabella(t)), person, -1, year);
            continue;
        }
        // No certificate yet: the empty tables need no trip to the store.
        const TableSchema* schema = m_schema.table(tableName(Tabella(t)));
        if (!schema)
            throw EAssertion(QStringLiteral("Tabella senza schema: %1").arg(tableName(Tabella(t))),
                             QStringLiteral("SezioniPersona"));
        dataset.setFields(schema->fieldDefs());
        dataset.open();
    }
}

void SezioniPersona::removeAll()
{
    for (auto& dataset : m_datasets) {
        dataset->first();
        while (!dataset->isEmpty())
            dataset->remove();
    }
}

// The person row of the certificate, once the certificate is saved; 0 when
// the certificate was removed.
static qint64 personaDelCertificato(Dataset& cud)
{
    cud.first();
    return cud.isEmpty() ? 0 : cud.asInteger(u"iAfiID");
}

// New section rows belong to the certificate's person.
static void collega(Dataset& section, qint64 person)
{
    if (person == 0 || !section.hasField(u"iAfiID"))
        return;
    for (section.first(); !section.eof(); section.next()) {
        if (section.asInteger(u"iAfiID") != 0)
            continue;
        section.edit();
        section.setValue(QStringLiteral("iAfiID"), person);
        section.post();
    }
}

void SezioniPersona::save(HlmDBCds& store, int month, int year)
{
    Dataset& cud = *m_datasets[Cud];
    if (cud.hasChanges())
        store.save(cud, tableName(Cud), month, year);
    const qint64 person = personaDelCertificato(cud);
    for (int t = Cud + 1; t < Count; ++t) {
        collega(*m_datasets[t], person);
        if (m_datasets[t]->hasChanges())
            store.save(*m_datasets[t], tableName(Tabella(t)), month, year);
    }
}

void SezioniPersona::nuovaRiga(Tabella table, const CudContext& o)
{
    Dataset& dataset = *m_datasets[table];
    const TableSchema* schema = m_schema.table(tableName(table));
    if (!schema)
        throw EAssertion(QStringLiteral("Tabella senza schema: %1").arg(tableName(table)),
                         QStringLiteral("SezioniPersona"));
    dataset.append();
    initialiseFlags(dataset, *schema);
    if (dataset.hasField(u"SCUDCODFIS"))
        dataset.setValue(QStringLiteral("SCUDCODFIS"), o.sel.codFiscale);
    if (dataset.hasField(u"SCUDMESE"))
        dataset.setValue(QStringLiteral("SCUDMESE"),
                         QStringLiteral("%1").arg(o.sel.meseFinale, 2, 10, QChar(u'0')));
}

} // namespace cu
