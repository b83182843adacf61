// The self-employment section writer.
#include "import/sections/SezioneAutonomo.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"
#include "import/sections/SezioniPersona.h"

namespace cu {

namespace {

const QStringList Causali = {QStringLiteral("A"), QStringLiteral("M"), QStringLiteral("P")};
const QString EnteFisco = QStringLiteral("FISCO");
const QString EnteInps = QStringLiteral("INPS");

struct Contributi
{
    bool inps = false;
    bool fpls = false;
};

void add(Dataset& row, QStringView column, Currency value)
{
    setAmount(row, column, amount(row, column) + value);
}

QVariantMap params(const CudContext& o, const QString& causale)
{
    return {{QStringLiteral("IACOMID"), o.sel.iacomId},
            {QStringLiteral("CAUSALE"), causale},
            {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
            {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}};
}

bool haLiquidazioni(const ArchiveRows& liquidations, const QString& causale)
{
    for (int i = 0; i < liquidations.size(); ++i)
        if (liquidations.string(i, QStringLiteral("CAUSALE")).trimmed() == causale)
            return true;
    return false;
}

// Step 3: taxable amount, withholdings and the INPS contributions.
void somme(CudContext& o, Dataset& row, const QString& causale, Contributi& seen)
{
    const ArchiveRows som = o.archive.open({QStringLiteral("QRY_CUD_AUTON_SOM"), params(o, causale), {}, {}});
    for (int i = 0; i < som.size(); ++i) {
        const QString ente = som.string(i, QStringLiteral("SRICEENTE")).trimmed().toUpper();
        const Currency ritDip = som.currency(i, QStringLiteral("RIT_DIP"));
        const Currency ritAmm = som.currency(i, QStringLiteral("RIT_AMM"));
        if (ente == EnteFisco) {
            const Currency imponibile = som.currency(i, QStringLiteral("IMPONIBILE"));
            add(row, u"FDSE7IMPONIBILE", imponibile);
            // The gross amount paid includes the taxable part.
            add(row, u"FDSE7AMMLORDO", imponibile);
            add(row, causale == QStringLiteral("P") ? u"FDSE7RITTITIMP" : u"FDSE7RITTITACC", ritDip);
        } else if (ente == EnteInps) {
            seen.inps = seen.inps || ritAmm > Currency() || ritDip > Currency();
            // For a position subject to FPLS the contributions come from there.
            if (o.pos.soggEnpals > 0)
                continue;
            if (ritAmm > Currency())
                add(row, u"FDSE7CONTRAMM", ritAmm);
            if (ritDip > Currency())
                add(row, u"FDSE7CONTRDIP", ritDip);
        }
    }
}

// Step 3 for positions subject to FPLS: the two contribution parts.
void contributiFpls(CudContext& o, Dataset& row, Contributi& seen)
{
    QVariantMap p = {{QStringLiteral("IACOMID"), o.sel.iacomId},
                     {QStringLiteral("RICE_COD_ENPALS"), o.tables.enpals},
                     {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
                     {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}};
    const ArchiveRows fpls = o.archive.open({QStringLiteral("QRY_EMENS_FPLS_EXENPALS_RIT"), p, {}, {}});
    const auto c = [&](const char* column) { return fpls.firstCurrency(QString::fromLatin1(column)); };
    const Currency amm = c("RIT_AMM") + c("RIT_AMM_ECCMASSSPET");
    Currency dip = c("RIT_DIP") + c("RIT_DIP_CTRAGG") + c("RIT_DIP_ECCMASSSPET");
    if (o.pos.itnoId == o.tables.tnoLiberoProfessionista) {
        p.remove(QStringLiteral("RICE_COD_ENPALS"));
        p.insert(QStringLiteral("TNO_LIB_PROF"), o.tables.tnoLiberoProfessionista);
        p.insert(QStringLiteral("COMR_ACC_RIT_PREV"), o.tables.comrAccRitPrev);
        dip += o.archive.open({QStringLiteral("QRY_EMENS_FPLS_EXENPALS_RITLP"), p, {}, {}})
                   .firstCurrency(QStringLiteral("FVACRLORDO"));
    }
    setAmount(row, u"FDSE7CONTRAMM", amm);
    setAmount(row, u"FDSE7CONTRDIP", dip);
    seen.fpls = seen.fpls || amm > Currency() || dip > Currency();
}

void previdenza(Dataset& row, const ArchiveRows& seat, bool fpls)
{
    if (fpls)
        row.setValue(QStringLiteral("SASECATEG"), QStringLiteral("Z"));
    const Currency amm = amount(row, u"FDSE7CONTRAMM");
    const Currency dip = amount(row, u"FDSE7CONTRDIP");
    if (amm > Currency() || dip > Currency()) {
        setAmount(row, u"FASECONTDOV", amm + dip);
        setAmount(row, u"FASECONTVER", amm + dip);
        row.setValue(QStringLiteral("SASECODFISENTEPREV"),
                     seat.isEmpty() ? QString() : seat.string(0, QStringLiteral("SPACOCFINPS")));
        row.setValue(QStringLiteral("SASEDENENTEPREV"), EnteInps);
    }
}

} // namespace

void SezioneAutonomo::Scrivi(CudContext& o, SezioniPersona& sections, const ArchiveRows& liquidations,
                             const ArchiveRows& seat)
{
    Dataset& row = sections[SezioniPersona::Autonomo];
    bool inserted = false;
    Contributi seen;
    const bool fpls = o.pos.soggEnpals > 0;
    for (const QString& causale : Causali) {
        if (!haLiquidazioni(liquidations, causale))
            continue;
        if (!inserted) {
            sections.nuovaRiga(SezioniPersona::Autonomo, o);
            row.setValue(QStringLiteral("LASEALTCONT"), QStringLiteral("0"));
            row.setValue(QStringLiteral("SCAUCODICE"), causale);
            inserted = true;
        } else {
            row.edit();
            o.addMsg(Info::Autonomo,
                     QStringLiteral(
                         "Presenza di liquidazioni con causali diverse. In automatico impostata la prima."));
        }
        row.setValue(QStringLiteral("LDSE7ANTICIPAZ"), QStringLiteral("0"));
        if (o.pos.minimi) {
            const Currency lordo =
                o.archive.open({QStringLiteral("QRY_CUD_AUTON_MINIMI"), params(o, causale), {}, {}})
                    .firstCurrency(QStringLiteral("LORDO"));
            add(row, u"FDSE7AMMLORDO", lordo);
            add(row, u"FDSE7ALTRESOMME", lordo);
        }
        somme(o, row, causale, seen);
        if (fpls)
            contributiFpls(o, row, seen);
        previdenza(row, seat, fpls);
        const Currency nonSoggette =
            o.archive.open({QStringLiteral("QRY_CUD_AUTON_NON_SOGG"), params(o, causale), {}, {}})
                .firstCurrency(QStringLiteral("SOMME_NON_SOGG"));
        add(row, u"FDSE7ALTRESOMME", nonSoggette);
        add(row, u"FDSE7AMMLORDO", nonSoggette);
        add(row, u"FDSE7SPESERIMB",
            o.archive.open({QStringLiteral("QRY_CUD_AUTON_SPESE_RIMB"), params(o, causale), {}, {}})
                .firstCurrency(QStringLiteral("SOMME_RIMBORSATE")));
        if (amount(row, u"FDSE7ALTRESOMME") > Currency())
            row.setValue(QStringLiteral("FDSE7CODICE"),
                         o.pos.minimi ? QStringLiteral("25") : QStringLiteral("21"));
        row.post();
    }
    if (seen.inps && seen.fpls)
        throw EHlmWarning(
            QStringLiteral("Contributi INPS ed FPLS (ex Enpals) presenti per la stessa persona"));
}

} // namespace cu
