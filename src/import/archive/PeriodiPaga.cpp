// Merging the payroll registers into pay periods.
#include "import/archive/PeriodiPaga.h"

#include "import/archive/PayrollArchive.h"
#include "import/builders/CudContext.h"

#include <algorithm>

namespace cu {

PeriodiPaga PeriodiPaga::fromRows(const ArchiveRows& rows)
{
    QVector<PeriodoPaga> registers;
    for (int row = 0; row < rows.size(); ++row) {
        const QDate from = rows.date(row, QStringLiteral("DREGSDAL"));
        const QDate to = rows.date(row, QStringLiteral("DREGSAL"));
        if (from.isValid() && to.isValid())
            registers.append({from, to, rows.currency(row, QStringLiteral("IMPONIBILE_IRPEF"))});
    }
    std::stable_sort(registers.begin(), registers.end(),
                     [](const PeriodoPaga& a, const PeriodoPaga& b) { return a.dal < b.dal; });
    PeriodiPaga result;
    for (const PeriodoPaga& reg : registers) {
        if (!result.periods.isEmpty() && reg.dal <= result.periods.last().al.addDays(1)) {
            PeriodoPaga& running = result.periods.last();
            running.al = std::max(running.al, reg.al);
            running.imponibile += reg.imponibile;
            continue;
        }
        if (!result.periods.isEmpty())
            result.interruption = true;
        result.periods.append(reg);
    }
    return result;
}

PeriodiPaga PeriodiPaga::read(CudContext& o)
{
    const QVariantMap params = {{QStringLiteral("IACOMID"), o.sel.iacomId},
                                {QStringLiteral("MESE_INIZIALE"), o.sel.meseIniziale},
                                {QStringLiteral("MESE_FINALE"), o.sel.meseFinale},
                                {QStringLiteral("RICE_COD_IRPEF_AM"), o.tables.irpefAltriMesi},
                                {QStringLiteral("RICE_COD_IRPEF"), o.tables.irpefOrdinaria},
                                {QStringLiteral("CO_FONDAMENTALI"), o.params.icotFondamentale}};
    return fromRows(o.archive.open({QStringLiteral("QRY_CUD_PERIODI"), params, {}, o.tno.clausola()}));
}

QString PeriodiPaga::text() const
{
    if (periods.isEmpty())
        return {};
    QStringList parts;
    const QString format = QStringLiteral("dd/MM/yyyy");
    for (const PeriodoPaga& p : periods)
        parts.append(QStringLiteral("dal:%1 al: %2 per un importo di %3")
                         .arg(p.dal.toString(format), p.al.toString(format), p.imponibile.toItalian(2)));
    return parts.join(QStringLiteral("; ")) + QStringLiteral("\r\n");
}

} // namespace cu
