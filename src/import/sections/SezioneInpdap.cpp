// The INPS public-sector section writer (NoiPA liquidations).
#include "import/sections/SezioneInpdap.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"
#include "import/sections/SezioniPersona.h"

#include <array>

namespace cu {

namespace {

const std::array<const char*, 12> Mesi = {"GENNAIO",   "FEBBRAIO", "MARZO",    "APRILE",
                                          "MAGGIO",    "GIUGNO",   "LUGLIO",   "AGOSTO",
                                          "SETTEMBRE", "OTTOBRE",  "NOVEMBRE", "DICEMBRE"};

void add(Dataset& row, QStringView column, Currency value)
{
    setAmount(row, column, amount(row, column) + value);
}

bool anyNotZero(std::initializer_list<Currency> values)
{
    for (Currency v : values)
        if (!v.isZero())
            return true;
    return false;
}

// Moves to the row of year and administration, or appends it.
void rigaAnno(SezioniPersona& sections, const CudContext& o, qint64 year, const QString& administration)
{
    Dataset& rows = sections[SezioniPersona::Inpdap];
    if (rows.locate(QStringLiteral("ICUDANNORIF;SCUDCODFISAMMNE"), {year, administration})) {
        rows.edit();
        return;
    }
    sections.nuovaRiga(SezioniPersona::Inpdap, o);
    rows.setValue(QStringLiteral("ICUDANNORIF"), year);
    rows.setValue(QStringLiteral("SCUDCODFISAMMNE"), administration);
}

void controllaAliquota(CudContext& o)
{
    const ArchiveRows rate = o.archive.open(
        {QStringLiteral("QRY_CUD_INT_DMA_STO_CALC_DIP"),
         {{QStringLiteral("IRICEID"), o.tables.pensioneInpdap}, {QStringLiteral("IANFID"), o.anfId}},
         {},
         {}});
    if (!(rate.firstCurrency(QStringLiteral("FRICAALIQUOTADIP")) > Currency()))
        throw EHlmCalcola(QStringLiteral(
            "Impossibile calcolare i \"Contributi pensionistici a carico lavoratore trattenuti dovuti\".\r\n "
            " "
            "Verificare l'aliquota INPDAP a carico dipendente tabella \"Percentuali ritenute Prev./Ass.\" in "
            "Gestione Compensi"));
}

void aggiungiLiquidazione(Dataset& row, const ArchiveRows& liq, int i)
{
    const auto c = [&](const char* column) { return liq.currency(i, QString::fromLatin1(column)); };
    const Currency impPens = c("FCFSAIMPONPENS"), ritPens = c("FCFSARITPENS"),
                   ammPens = c("FCFSACONTRAMMPENS");
    if (anyNotZero({impPens, ritPens, ammPens})) {
        add(row, u"FCUD_DMA_IMPPENS", impPens);
        add(row, u"FCUD_DMA_CONPENS", ritPens + ammPens);
        add(row, u"FCUDCONTRPCLAVTRAT", ritPens);
    }
    const Currency impTfr = c("FCFSAIMPONOPERAP"), conTfr = c("FCFSARITAMMOPERAP");
    if (anyNotZero({impTfr, conTfr})) {
        add(row, u"FCUD_DMA_IMPTFR", impTfr);
        add(row, u"FCUD_DMA_CONTFR", conTfr);
    }
    const Currency impCred = c("FCFSAIMPONFONDOC"), ritCred = c("FCFSARITFONDOC");
    if (anyNotZero({impCred, ritCred})) {
        add(row, u"FCUD_DMA_IMPCREDITO", impCred);
        add(row, u"FCUD_DMA_CONCREDITO", ritCred);
        add(row, u"FCUDCONTRGESCRETCLAV", ritCred);
    }
    for (int g = 1; g <= 3; ++g) {
        const QString column = QStringLiteral("SCUDGESASS_%1").arg(g);
        const QString fund = liq.string(i, column);
        if (!fund.isEmpty())
            row.setValue(column, fund);
    }
    if (liq.integer(i, QStringLiteral("LINPDAPNOIPADICH")) != 0)
        row.setValue(QStringLiteral("LINPDAPNOIPADICH"), QStringLiteral("X"));
    const int month = static_cast<int>(liq.integer(i, QStringLiteral("ICFSAMESELIQUIDAZ")));
    if (month >= 1 && month <= 12)
        row.setValue(QStringLiteral("LINPDAP") + QString::fromLatin1(Mesi[month - 1]), QStringLiteral("X"));
}

} // namespace

void SezioneInpdap::Scrivi(CudContext& o, SezioniPersona& sections, const ArchiveRows& seat,
                           const QString& agentFiscalCode)
{
    if (!seat.isEmpty() && seat.integer(0, QStringLiteral("LPACOCUDINPDAP")) == 1)
        return;
    if (!o.params.includiInpdapMef)
        return; // the UniEmens source is not part of this archive
    const ArchiveRows liq = o.archive.open({QStringLiteral("QRY_CUD_INT_ACC_SOLO_ACF"),
                                            {{QStringLiteral("IACOMID"), o.sel.iacomId},
                                             {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
                                             {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}},
                                            {},
                                            {}});
    if (liq.isEmpty())
        return;
    if (anyNotZero({liq.sumCurrency(QStringLiteral("FCFSAIMPONPENS")),
                    liq.sumCurrency(QStringLiteral("FCFSARITPENS"))}))
        controllaAliquota(o);
    const QString denuncia = seat.isEmpty() ? QString() : seat.string(0, QStringLiteral("SPACOCFMEF"));
    Dataset& rows = sections[SezioniPersona::Inpdap];
    for (int i = 0; i < liq.size(); ++i) {
        rigaAnno(sections, o, liq.integer(i, QStringLiteral("ICUDANNORIF")), agentFiscalCode);
        rows.setValue(QStringLiteral("SCUDCODFISSOGGDEN"), denuncia);
        aggiungiLiquidazione(rows, liq, i);
        rows.post();
    }
}

} // namespace cu
