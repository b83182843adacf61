// The standard builder.
#include "import/builders/CudStd.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/CalcoliArchivio.h"
#include "import/builders/CudContext.h"

namespace cu {

namespace {
const QString Totale = QStringLiteral("TOTALE");
const QString Lordo = QStringLiteral("LORDO");
const QString Rit = QStringLiteral("QRY_CUD_RIT");
const QString Redd = QStringLiteral("QRY_CUD_REDD");

QVariantMap periodParams(const CudContext& o)
{
    return {{QStringLiteral("IACOMID"), o.sel.iacomId},
            {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
            {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}};
}
} // namespace

void CudStd::Inizializza(CudContext& owner)
{
    m_owner = &owner;
}

CudContext& CudStd::owner() const
{
    if (!m_owner)
        throw EAssertion(QStringLiteral("Costruttore CU non inizializzato"), QStringLiteral("CudStd"));
    return *m_owner;
}

Currency CudStd::sommaNoipa(const ArchiveRows& rows, const QString& column, bool fiscaleNoipa, Dataset& cud)
{
    Currency sum;
    bool notSent = false;
    bool sent = false;
    for (int row = 0; row < rows.size(); ++row) {
        const Currency amount = rows.currency(row, column);
        if (amount <= Currency())
            continue;
        if (rows.integer(row, QStringLiteral("EXP_CSFA")) == 0) {
            sum += amount;
            notSent = true;
        } else if (fiscaleNoipa) {
            sum += amount;
            sent = true;
            cud.setValue(QStringLiteral("LCUDCPOSCNACFC"), QStringLiteral("X"));
        }
    }
    if (notSent && sent)
        throw EHlmWarning(
            QStringLiteral("Impossibile crea la Certificazione: Esistono liquidazioni non inviate a NoiPa."));
    return sum;
}

Currency CudStd::registri(const QString& query, const QVector<int>& codes, const QString& column)
{
    CudContext& o = owner();
    const ArchiveRows rows =
        o.archive.open({query, periodParams(o), {joinCodes(codes), o.tno.clausola()}, {}});
    return sommaNoipa(rows, column, o.params.fiscaleNoipa, o.cud);
}

Currency CudStd::ImpostaLorda()
{
    if (!AncheSenzaConguaglio)
        return {};
    return registri(Rit, owner().tables.irpef, Lordo);
}

Currency CudStd::RitenuteArretrati()
{
    return registri(Rit, {owner().tables.tassazioneSeparata}, Totale);
}

Currency CudStd::RedditoArretrati()
{
    return registri(Redd, {owner().tables.tassazioneSeparata}, Totale);
}

Currency CudStd::Imponibile()
{
    return registri(Redd, owner().tables.irpef, Totale);
}

int CudStd::Giorni()
{
    CudContext& o = owner();
    int days = 0;
    if (!o.tno.cococo.isEmpty())
        days += o.pos.durataRapp;
    if (!o.tno.fiscale.isEmpty())
        days += CalcoliArchivio::giorniDetrazioni(
            o.archive, {o.sel.iacomId, o.sel.meseIniziale, o.sel.meseFinale, o.tno.clausola()}, o.year);
    return days;
}

Currency CudStd::RitenutaNetta()
{
    const Currency net = registri(Rit, owner().tables.irpef, Totale);
    ImpostaNetta = AncheSenzaConguaglio ? net : Currency();
    return net;
}

Currency CudStd::AccontoAddComunale()
{
    CudContext& o = owner();
    QVariantMap params = periodParams(o);
    params.insert(QStringLiteral("IRITVID"), o.tables.accontoAddComunaleRitv);
    return o.archive.open({QStringLiteral("QRY_CUD_RITV"), params, {}, o.tno.clausola()})
        .firstCurrency(Totale);
}

Currency CudStd::AddComunale()
{
    return registri(Rit, {owner().tables.addComunale}, Totale);
}

Currency CudStd::AddRegionale()
{
    return registri(Rit, {owner().tables.addRegionale}, Totale);
}

Currency CudStd::ValoreConguaglio(const QString&)
{
    return {};
}

void CudStd::CalcolaDetrazioni()
{
    DetrFamiliari = DetrLavoro = UlterioreDetr = TotDetrazioni = Currency();
    if (!AncheSenzaConguaglio)
        return;
    CudContext& o = owner();
    QVariantMap params = periodParams(o);
    params.insert(QStringLiteral("RICE_COD_IRPEF"), o.tables.irpefOrdinaria);
    const ArchiveRows rows =
        o.archive.open({QStringLiteral("QRY_CUD_NO_CONG"), params, {}, o.tno.clausola()});
    DetrFamiliari = rows.firstCurrency(QStringLiteral("FADETIMPCONCAR")) +
                    rows.firstCurrency(QStringLiteral("FADETIMPFIGLICAR")) +
                    rows.firstCurrency(QStringLiteral("FADETIMPALTRICAR"));
    DetrLavoro = rows.firstCurrency(QStringLiteral("FADETIMPLAVDIP"));
    UlterioreDetr = rows.firstCurrency(QStringLiteral("FADETIMPLAVAGG"));
    TotDetrazioni = DetrFamiliari + DetrLavoro;
}

void CudStd::CalcolaCrediti() {}

Currency CudStd::TrattamentoIntegrativo()
{
    Currency sum;
    for (int item : owner().tables.trattamentoIntegrativo)
        sum += SommaVoce(owner(), item);
    return sum;
}

Currency CudStd::SommaVoce(CudContext& o, int item, int firstMonth, int lastMonth)
{
    int first = o.sel.meseIniziale;
    int last = o.sel.meseFinale;
    if (firstMonth != 0 && firstMonth >= first)
        first = firstMonth;
    if (lastMonth != 0 && lastMonth <= last)
        last = lastMonth;
    const QVariantMap params = {{QStringLiteral("ICOMRID"), item},
                                {QStringLiteral("IANFID"), o.anfId},
                                {QStringLiteral("IACOMID"), o.sel.iacomId},
                                {QStringLiteral("MESE_INIZIALE"), first},
                                {QStringLiteral("MESE_FINALE"), last}};
    return o.archive.open({QStringLiteral("QRY_CUD_VOCE"), params, {}, o.tno.clausola()})
        .firstCurrency(QStringLiteral("TOTALE_VOCE"));
}

} // namespace cu
