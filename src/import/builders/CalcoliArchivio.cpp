// INPS amounts and days read from the payroll registers.
#include "import/builders/CalcoliArchivio.h"

#include "import/archive/PayrollArchive.h"
#include "import/builders/Calcoli.h"

namespace cu {

namespace {

QVariantMap periodParams(const PeriodoPosizione& period)
{
    return {{QStringLiteral("IACOMID"), period.iacomId},
            {QStringLiteral("MESE_INIZIALE"), period.meseIniziale},
            {QStringLiteral("MESE_FINALE"), period.meseFinale}};
}

} // namespace

Currency CalcoliArchivio::inpsAccessori(PayrollArchive& archive, const PeriodoPosizione& period, int iriceId,
                                        qint64 ivarmrirpId, const QString& query)
{
    QVariantMap params = periodParams(period);
    params.insert(QStringLiteral("IRICEID"), iriceId);
    params.insert(QStringLiteral("IVARMRIRPID"), ivarmrirpId);
    return archive.open({query, params, {}, period.clausola}).firstCurrency(QStringLiteral("TOTALE"));
}

Currency CalcoliArchivio::inpsFondamentali(PayrollArchive& archive, const PeriodoPosizione& period,
                                           int iriceId, qint64 icosId, const QString& query)
{
    QVariantMap params = periodParams(period);
    params.insert(QStringLiteral("IRICEID"), iriceId);
    params.insert(QStringLiteral("ICOSID"), icosId);
    return archive.open({query, params, {}, period.clausola}).firstCurrency(QStringLiteral("TOTALE"));
}

int CalcoliArchivio::giorniAssenza(PayrollArchive& archive, const PeriodoPosizione& period)
{
    const ArchiveRows rows =
        archive.open({QStringLiteral("QRY_CUD_ASSENZE"), periodParams(period), {period.clausola}, {}});
    return static_cast<int>(rows.firstInteger(QStringLiteral("ASSENZE")));
}

int CalcoliArchivio::giorniDetrazioni(PayrollArchive& archive, const PeriodoPosizione& period, int year)
{
    const ArchiveRows rows =
        archive.open({QStringLiteral("QRY_CUD_GIORNI"), periodParams(period), {period.clausola}, {}});
    QVector<MesePagato> months;
    for (int row = 0; row < rows.size(); ++row)
        months.append({static_cast<int>(rows.integer(row, QStringLiteral("IMESID"))),
                       static_cast<int>(rows.integer(row, QStringLiteral("IREGSGIORNI")))});
    // The position's calendar of one month: the registers of that month only.
    const Calcoli::CalendarioMese calendar = [&](int month) -> std::optional<int> {
        const QString condition = QStringLiteral("REGS.IMESID=%1 %2").arg(month).arg(period.clausola);
        const ArchiveRows days = archive.open({QStringLiteral("QRY_CUD_CALENDARIO"),
                                               {{QStringLiteral("IACOMID"), period.iacomId}},
                                               {condition},
                                               {}});
        if (days.isEmpty() || days.value(0, QStringLiteral("GIORNI")).isNull())
            return std::nullopt;
        const int counted = static_cast<int>(days.integer(0, QStringLiteral("GIORNI")));
        return counted > 0 ? std::optional<int>(counted) : std::nullopt;
    };
    int sum = 0;
    for (const MesePagato& m : months)
        sum += m.giorni;
    const int absences = sum > 0 ? giorniAssenza(archive, period) : 0;
    return Calcoli::giorniDetrazioni(months, year, calendar, absences);
}

} // namespace cu
