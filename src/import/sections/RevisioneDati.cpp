// Cleaning and checking a person's certificate before it is saved.
#include "import/sections/RevisioneDati.h"

#include "certificates/CertificateSchema.h"
#include "certificates/checks/AmountRules.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/TextFunctions.h"
#include "import/archive/ImportiNumerici.h"
#include "import/builders/CudContext.h"
#include "import/sections/SezioniPersona.h"

namespace cu::RevisioneDati {

namespace {

const QString Personali = QStringLiteral("TCUD_DATICUD");

// The remarks go under the person's section of personal data.
void nota(CudContext& owner, const QString& remark)
{
    owner.addMsg(Info::Anagrafici, remark);
}

QString nomeColonna(const ColumnSchema& column)
{
    return column.caption.isEmpty() ? column.name
                                    : QStringLiteral("%1 (%2)").arg(column.caption, column.name);
}

// The annotations' summary is made of lines by the program (one per
// annotation): there line breaks are its structure.
text::LineBreaks interruzioni(const ColumnSchema& column)
{
    return column.name.compare(u"SCUDANNOTAZIONI", Qt::CaseInsensitive) == 0 ? text::LineBreaks::Keep
                                                                             : text::LineBreaks::Control;
}

// Cleans a text of control characters; whether it held any.
bool puliziaTesto(Dataset& rows, const ColumnSchema& column, CudContext& owner)
{
    const QString value = rows.asString(column.name);
    if (!text::hasControlCharacters(value, interruzioni(column)))
        return false;
    rows.edit();
    rows.setValue(column.name, text::withoutControlCharacters(value, interruzioni(column)));
    nota(owner, QStringLiteral("%1: caratteri di controllo (a capo, tabulazioni) dell'archivio retributivo "
                               "sostituiti da spazi")
                    .arg(nomeColonna(column)));
    return true;
}

// Refuses an amount beyond the limit; leaves out a negative one where only
// positive ones belong.
bool controlloImporto(Dataset& rows, const TableSchema& table, const ColumnSchema& column, CudContext& owner)
{
    const Currency amount = rows.asCurrency(column.name);
    if (amounts::beyondLimit(amount))
        throw EZfError(QStringLiteral("Importo %1 nella colonna %2 (%3) oltre il limite di %4.")
                           .arg(amount.toItalian(), column.name, table.name, amounts::Limit.toItalian()));
    if (amount >= Currency() || !amounts::isPositiveOnly(column))
        return false;
    rows.edit();
    rows.setValue(column.name, QVariant());
    nota(owner,
         QStringLiteral("%1: importo negativo %2 non riportato, il campo ammette solo valori positivi: "
                        "verificare")
             .arg(nomeColonna(column), amount.toItalian()));
    return true;
}

void rivediRiga(Dataset& rows, const TableSchema& table, CudContext& owner)
{
    bool changed = false;
    for (const ColumnSchema& column : table.columns) {
        if (!rows.hasField(column.name))
            continue;
        const FieldType type = column.fieldType();
        if (type == FieldType::String)
            changed = puliziaTesto(rows, column, owner) || changed;
        else if (type == FieldType::Currency || type == FieldType::Float)
            changed = controlloImporto(rows, table, column, owner) || changed;
    }
    if (changed)
        rows.post();
}

void datiMancanti(Dataset& cud, CudContext& owner)
{
    const QString code = owner.sel.codFiscale;
    if (cud.asString(u"SCUDCOGNOME").trimmed().isEmpty())
        nota(owner,
             QStringLiteral("cognome mancante nell'archivio retributivo (codice fiscale %1)").arg(code));
    if (cud.asString(u"SCUDNOME").trimmed().isEmpty() && code.size() != 11)
        nota(owner, QStringLiteral("nome mancante nell'archivio retributivo (codice fiscale %1)").arg(code));
    if (!cud.value(cud.fieldIndex(QStringLiteral("DCUDDATANAS"))).toDate().isValid() && code.size() != 11)
        nota(owner, QStringLiteral("data di nascita mancante o non valida nell'archivio retributivo (codice "
                                   "fiscale %1)")
                        .arg(code));
}

} // namespace

void Rivedi(SezioniPersona& sections, CudContext& owner)
{
    richiediImportiNumerici(owner.archive, owner.sel.iacomId);
    for (int t = 0; t < SezioniPersona::Count; ++t) {
        const auto which = SezioniPersona::Tabella(t);
        const TableSchema* table = sections.schema().table(SezioniPersona::tableName(which));
        Dataset& rows = sections[which];
        if (!table)
            continue;
        for (rows.first(); !rows.eof(); rows.next())
            rivediRiga(rows, *table, owner);
    }
    Dataset& cud = sections[SezioniPersona::Cud];
    cud.first();
    if (!cud.isEmpty())
        datiMancanti(cud, owner);
}

} // namespace cu::RevisioneDati
