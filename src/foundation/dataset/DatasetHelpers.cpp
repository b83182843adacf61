// The shared dataset helpers.
#include "foundation/dataset/DatasetHelpers.h"

#include "foundation/catalogue/QueryDataset.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace cu {

void ReopenIfChanged(QueryDataset& query, const QString& keyName, bool force, const QVariant& value)
{
    if (query.isActive() && !query.isEmpty() && !force && query.hasField(keyName) &&
        query.value(keyName) == value)
        return;
    query.close();
    query.setParam(keyName, value);
    query.open();
}

QVector<SearchColumn> ConfigureSearchColumns(bool withExtended)
{
    QVector<SearchColumn> columns{{QStringLiteral("Codice"), 100, true, true},
                                  {QStringLiteral("Descrizione"), 0, true, true}};
    if (withExtended)
        columns.append({QStringLiteral("Descrizione estesa"), 400, false, true});
    return columns;
}

bool IsDevelopmentMode(const Folders& folders)
{
    const QString eli = Folders::resolve(folders.etc(), QStringLiteral("eli"));
    return QFileInfo(Folders::resolve(eli + u'/', QStringLiteral("dev"))).isFile();
}

QString LegalPositionFilterExcluded()
{
    return QStringLiteral("NOT REGS.ITNOID IN (%1,%2,%3,%4,%5,%6)")
        .arg(10)
        .arg(14)
        .arg(15)
        .arg(9)
        .arg(12)
        .arg(13);
}

QString LegalPositionFilterIncluded(const QString& extraExcluded)
{
    const QString included = QStringLiteral("REGS.ITNOID IN (%1,%2,%3)").arg(10).arg(14).arg(15);
    if (extraExcluded.isEmpty())
        return included;
    static const QRegularExpression integerList(QStringLiteral("^\\s*\\d+\\s*(,\\s*\\d+\\s*)*$"));
    if (!integerList.match(extraExcluded).hasMatch())
        throw EAssertion(
            QStringLiteral("Elenco di posizioni giuridiche non valido: \"%1\".").arg(extraExcluded),
            QStringLiteral("DatasetHelpers"));
    return QStringLiteral("(%1 AND NOT REGS.ITNOID IN (%2))").arg(included, extraExcluded);
}

bool IsValidMonth(int month)
{
    return month >= 1 && month <= 12;
}

} // namespace cu
