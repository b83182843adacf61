// Dividing a production into supplies and a supply into files, between
// certificates.
#include "telematic/SupplySplit.h"

#include "foundation/operator/Errors.h"

#include <QMap>

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

QVector<Supply> divideIntoSupplies(const QVector<int>& certificateOfLine, const SupplyLimits& limits)
{
    QVector<int> ctForm;
    QMap<int, Supply> bySupply; // in the order of their certificates
    for (int line = 0; line < certificateOfLine.size(); ++line) {
        if (certificateOfLine[line] == 0)
            ctForm.append(line);
        else
            bySupply[limits.supplyOf(certificateOfLine[line])].lines.append(line);
    }
    QVector<Supply> supplies = bySupply.isEmpty() ? QVector<Supply>{Supply{}} : bySupply.values().toVector();
    for (Supply& supply : supplies) {
        supply.lines = ctForm + supply.lines;
        QVector<int> certificates;
        certificates.reserve(supply.lines.size());
        for (int line : supply.lines)
            certificates.append(certificateOfLine[line]);
        supply.files = splitSupply(certificates, limits.linesPerFile);
    }
    return supplies;
}

} // namespace cu
