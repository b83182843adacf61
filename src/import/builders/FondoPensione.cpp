// The pension-fund writer.
#include "import/builders/FondoPensione.h"

#include "foundation/dataset/Dataset.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/Calcoli.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"

#include <algorithm>

namespace cu {

namespace {

constexpr int UltimoTipo = 4;

qint64 posizioneDelTipo(CudContext& o, int kind)
{
    if (kind == 0)
        return o.sel.iacomId;
    // The statement gives the person's position of the year it is asked for:
    // kind k is the k-th year before the working one.
    const ArchiveRows rows = o.archive.open(
        {QStringLiteral("QRY_ABL_ACOM_AP"),
         {{QStringLiteral("IANAPERID"), o.pos.ianaPerId}, {QStringLiteral("IANFID"), o.anfId - kind}},
         {},
         {}});
    return rows.firstInteger(QStringLiteral("IACOMID"));
}

} // namespace

ContributiFondo FondoPensione::Contributi(CudContext& o, int kind)
{
    const qint64 iacomId = posizioneDelTipo(o, kind);
    if (iacomId == 0)
        return {};
    const ArchiveRows rows = o.archive.open({QStringLiteral("QRY_CUD_FPC"),
                                             {{QStringLiteral("IACOMID"), iacomId},
                                              {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
                                              {QStringLiteral("MESE_FINALE"), o.sel.meseFinale}},
                                             {joinCodes(o.tables.previdenzaComplementare), o.tno.clausola()},
                                             {}});
    ContributiFondo result;
    Currency base;
    for (int row = 0; row < rows.size(); ++row) {
        result.contributi += rows.currency(row, QStringLiteral("FVARRRITDIP")) +
                             rows.currency(row, QStringLiteral("FVARRRITAMM"));
        base = std::max({base, rows.currency(row, QStringLiteral("FVARRIMPONIBILEAMM")),
                         rows.currency(row, QStringLiteral("FVARRIMPONIBILEDIP"))});
    }
    if (base > Currency())
        result.tfrFondo = Calcoli::PercentualeArrotondata(
            2, base,
            Currency::fromRaw(std::int64_t(o.tables.tfrFondoPercentoCentesimi) * Currency::Scale / 100));
    return result;
}

void FondoPensione::Scrivi(CudContext& o)
{
    if (o.tno.fiscale.isEmpty())
        return;
    Dataset& cud = o.cud;
    const ContributiFondo own = Contributi(o, 0);
    if (own.contributi > Currency()) {
        const ArchiveRows adesioni = o.archive.open(
            {QStringLiteral("QRY_ANAFPC"), {{QStringLiteral("IACOMID"), o.sel.iacomId}}, {}, {}});
        const QDate minima = QDate::fromString(o.tables.dataMinimaAdesione, Qt::ISODate);
        for (int row = 0; row < adesioni.size(); ++row) {
            const QDate adesione = adesioni.date(row, QStringLiteral("DAFPADESIONE"));
            if (adesione.isValid() && adesione >= minima) {
                cud.setValue(QStringLiteral("DCUDDTISCFONDO"), adesione);
                break;
            }
        }
        setAmount(cud, u"FCUDCONTRESCLUSI", own.contributi);
        if (cud.asDate(u"DCUDDTISCFONDO").isValid()) {
            setAmount(cud, u"FCUDPRSOCVERSANN", own.contributi);
            setAmount(cud, u"FCUDCONTRIBPREVCOMP", own.contributi);
            setAmount(cud, u"FCUDPRECOMTFRFONDO", own.tfrFondo);
        }
    }
    if (amount(cud, u"FCUDCONTRIBPREVCOMP") > Currency()) {
        Currency total = amount(cud, u"FCUDCONTRIBPREVCOMP");
        for (int kind = 1; kind <= UltimoTipo; ++kind)
            total += Contributi(o, kind).contributi;
        setAmount(cud, u"FCUDCONTRIBPREVCOMP", total);
    }
}

} // namespace cu
