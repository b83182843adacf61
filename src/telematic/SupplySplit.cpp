// Splitting a supply between certificates.
#include "telematic/SupplySplit.h"

#include "foundation/operator/Errors.h"

namespace cu {

QVector<SupplyPart> splitSupply(const QVector<int>& certificateOfLine, int linesPerFile)
{
    QVector<SupplyPart> parts{{0, 0}};
    const int total = int(certificateOfLine.size());
    for (int first = 0; first < total;) {
        int end = first + 1;
        while (end < total && certificateOfLine[end] == certificateOfLine[first])
            ++end;
        const int lines = end - first;
        if (lines > linesPerFile)
            throw EZfError(QStringLiteral("La certificazione %1 occupa %2 righe, più delle %3 di un file")
                               .arg(certificateOfLine[first])
                               .arg(lines)
                               .arg(linesPerFile));
        if (parts.last().count + lines > linesPerFile)
            parts.append({first, 0});
        parts.last().count += lines;
        first = end;
    }
    return parts;
}

} // namespace cu
