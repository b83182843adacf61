// The fiscal section writer.
#include "import/builders/SezioneFiscale.h"

#include "foundation/dataset/Dataset.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/Calcoli.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"
#include "import/builders/CudStd.h"

#include <QHash>
#include <array>

namespace cu {

namespace {

// 30 per cent: the advance of next year's municipal surtax.
const Currency AccontoAddComunalePercento = Currency::fromUnits(30);

QVariantMap periodParams(const CudContext& o)
{
    return {{QStringLiteral("IACOMID"), o.sel.iacomId},
            {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
            {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}};
}

void scriviAddizionaleComunale(CudStd& builder, CudContext& o)
{
    Dataset& cud = o.cud;
    setAmount(cud, u"FCUDADDCOMIRPEF", builder.AccontoAddComunale());
    if (o.params.accontoAddComAnno && !builder.isConguaglio())
        setAmount(cud, u"FCUDADDCOMIRPEF", amount(cud, u"FCUDADDCOMIRPEF") + builder.AddComunale());
    else
        setAmount(cud, u"FCUDADDCOMSALDO", builder.AddComunale());

    const Currency total = amount(cud, u"FCUDADDCOMIRPEF") + amount(cud, u"FCUDADDCOMSALDO");
    if (o.params.accontoAddCom && total > Currency())
        setAmount(cud, u"FCUDADDCOMIRPEFAC",
                  Calcoli::PercentualeArrotondata(2, total, AccontoAddComunalePercento));
}

void scriviDetrazioni(CudStd& builder, CudContext& o)
{
    Dataset& cud = o.cud;
    builder.CalcolaDetrazioni();
    setAmount(cud, u"FCUDDEDNOTAXFAM", builder.DetrFamiliari);
    if (builder.UlterioreDetr > Currency()) {
        builder.DetrLavoro = Calcoli::DifferenzaNonNegativa(builder.DetrLavoro, builder.UlterioreDetr);
        setAmount(cud, u"FCUDDETRULTDETR", builder.UlterioreDetr);
    }
    setAmount(cud, u"FCUDDETRDIPPENSREDD", builder.DetrLavoro);
    setAmount(cud, u"FCUDIMPLORDA", builder.ImpostaLorda());
    const Currency capienza =
        Calcoli::DifferenzaNonNegativa(amount(cud, u"FCUDIMPLORDA"), amount(cud, u"FCUDRITIRPEF"));
    setAmount(cud, u"FCUDTOTDETR", std::min(builder.TotDetrazioni, capienza));
    setAmount(cud, u"FCUDDETRIMPNETTA", builder.ImpostaNetta);
}

void scriviCrediti(CudStd& builder, Dataset& cud)
{
    builder.CalcolaCrediti();
    setAmount(cud, u"FCUDDETRFAMNUM", builder.DetrFamNumerosa);
    setAmount(cud, u"FCUDCREDFAMNUM", builder.CredFamNumerosa);
    setAmount(cud, u"FCUDCREDNRFAMNUM", builder.CredNonRimbFamNumerosa);
    setAmount(cud, u"FCUDDETRCANLOC", builder.DetrCanoni);
    setAmount(cud, u"FCUDCREDCANLOC", builder.CredCanoni);
    setAmount(cud, u"FCUDCREDNRCANLOC", builder.CredNonRimbCanoni);
}

void scriviReddito(CudStd& builder, CudContext& o, Currency imponibile)
{
    Dataset& cud = o.cud;
    if (o.tables.tnoIndeterminato.contains(o.pos.itnoId)) {
        setAmount(cud, u"FCUDREDDDETR", imponibile);
        setText(cud, u"SCUDDETINDET", QStringLiteral("1"));
    } else {
        setAmount(cud, u"FCUDREDDETTRDET", imponibile);
        setText(cud, u"SCUDDETINDET", QStringLiteral("2"));
    }
    const Currency trattamento = builder.TrattamentoIntegrativo();
    if (trattamento > Currency()) {
        setText(cud, u"SCUDTICODTRATT", QStringLiteral("1"));
        setAmount(cud, u"FCUDTITRATTERO", trattamento);
    } else {
        setText(cud, u"SCUDTICODTRATT", QStringLiteral("2"));
    }
}

void scriviArretrati(CudStd& builder, CudContext& o)
{
    Dataset& cud = o.cud;
    const bool detraibili = o.params.arretratiDetr;
    const QString primo =
        detraibili ? QStringLiteral("FCUDTCOMPARRDETR") : QStringLiteral("FCUDTCOMPARRNODETR");
    const QString secondo =
        detraibili ? QStringLiteral("FCUDCRAPCOMARRDET") : QStringLiteral("FCUDCRAPCOMARRNODET");
    const Currency reddito = builder.RedditoArretrati();
    setAmount(cud, primo, reddito);
    setAmount(cud, secondo, reddito);
    const Currency ritenute = builder.RitenuteArretrati();
    setAmount(cud, u"FCUDTOTRITOPER", ritenute);
    setAmount(cud, u"FCUDCRAPRITOP", ritenute);
}

} // namespace

void SezioneFiscale::Scrivi(CudStd& builder, CudContext& o)
{
    if (o.params.soloInps || (o.tno.fiscale.isEmpty() && o.tno.cococo.isEmpty()))
        return;
    Dataset& cud = o.cud;

    const Currency imponibile = builder.Imponibile();
    if (imponibile.isZero() && o.tno.fiscaleContains(o.tables.tnoBorsista))
        borsista(o);
    cud.setValue(QStringLiteral("ICUDPERIODOLAV"), builder.Giorni());
    setAmount(cud, u"FCUDRITIRPEF", builder.RitenutaNetta());
    irpefSospesa(o);
    scriviAddizionaleComunale(builder, o);
    setAmount(cud, u"FCUDADDREGIRPEF", builder.AddRegionale());
    scriviDetrazioni(builder, o);

    const Currency imponibileConguaglio = builder.ValoreConguaglio(QStringLiteral("FCONGIMPONIBILE_P"));
    setAmount(cud, u"FCUDIMPONPTO1", imponibileConguaglio);
    setAmount(cud, u"FCUDREDDCONGP1", imponibileConguaglio);

    scriviCrediti(builder, cud);
    ripartisciDetrazioni(o);
    if (imponibile > Currency())
        scriviReddito(builder, o, imponibile);
    scriviArretrati(builder, o);
    assistenza730(o);
}

void SezioneFiscale::ripartisciDetrazioni(CudContext& o)
{
    Dataset& cud = o.cud;
    const Currency totale = amount(cud, u"FCUDTOTDETR");
    if (!(totale > Currency() && totale < amount(cud, u"FCUDIMPLORDA")))
        return;
    static const std::array<QString, 5> columns = {
        QStringLiteral("FCUDDEDNOTAXFAM"), QStringLiteral("FCUDDETRFAMNUM"),
        QStringLiteral("FCUDDETRDIPPENSREDD"), QStringLiteral("FCUDDETRONERI"),
        QStringLiteral("FCUDDETRCANLOC")};
    Currency rest = totale;
    for (const QString& column : columns) {
        const Currency value = amount(cud, column);
        if (value.isZero())
            continue;
        if (rest < value) {
            setAmount(cud, column, rest);
            rest = Currency();
        } else {
            rest -= value;
        }
    }
}

void SezioneFiscale::irpefSospesa(CudContext& o)
{
    Dataset& cud = o.cud;
    const Currency ritenuta = amount(cud, u"FCUDRITIRPEF");
    if (ritenuta > Currency())
        setAmount(cud, u"FCUDRITIRPEFSOS", std::min(ritenuta, CudStd::SommaVoce(o, o.tables.irpefSospesa)));
}

void SezioneFiscale::borsista(CudContext& o)
{
    QVariantMap params = periodParams(o);
    params.insert(QStringLiteral("TNO_BORSISTA"), o.tables.tnoBorsista);
    const Currency totale = o.archive.open({QStringLiteral("QRY_CUD_BORSISTA_LORDO"), params, {}, {}})
                                .firstCurrency(QStringLiteral("TOTALE"));
    if (totale > Currency()) {
        setAmount(o.cud, u"FCUDREDDESAMM2", totale);
        setText(o.cud, u"SCUDREDDESCOD2", QStringLiteral("23"));
    }
}

void SezioneFiscale::assistenza730(CudContext& o)
{
    QVariantMap params = periodParams(o);
    params.insert(QStringLiteral("ICOMRGRUPPO"), o.tables.gruppo730);
    const ArchiveRows rows = o.archive.open({QStringLiteral("QRY_CUD_730"), params, {}, o.tno.clausola()});
    QHash<qint64, Currency> perItem;
    for (int row = 0; row < rows.size(); ++row)
        perItem[rows.integer(row, QStringLiteral("ICOMRID"))] +=
            rows.currency(row, QStringLiteral("FVACRLORDO"));
    for (const auto& [item, column] : o.tables.voci730)
        setAmount(o.cud, column, perItem.value(item));
}

} // namespace cu
