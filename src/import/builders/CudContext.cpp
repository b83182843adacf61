// The legal-position clause of the builders.
#include "import/builders/CudContext.h"

namespace cu {

bool PosizioniGiuridiche::fiscaleContains(int itno) const
{
    const QString wanted = QString::number(itno);
    for (const QString& part : fiscale.split(u',', Qt::SkipEmptyParts))
        if (part.trimmed() == wanted)
            return true;
    return false;
}

QString PosizioniGiuridiche::clausola() const
{
    QStringList lists;
    if (!fiscale.isEmpty())
        lists.append(fiscale);
    if (!cococo.isEmpty())
        lists.append(cococo);
    // An empty IN list would not even parse; no legal position means no register.
    const QString in = lists.isEmpty() ? QStringLiteral("NULL") : lists.join(u',');
    return QStringLiteral(" AND REGS.ITNOID IN (%1)").arg(in);
}

} // namespace cu
