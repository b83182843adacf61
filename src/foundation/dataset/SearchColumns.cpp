// The lookup dialog's columns.
#include "foundation/dataset/SearchColumns.h"

namespace cu {

QVector<SearchColumn> ConfigureSearchColumns(bool withExtended)
{
    QVector<SearchColumn> columns{{QStringLiteral("Codice"), 100, true, true},
                                  {QStringLiteral("Descrizione"), 0, true, true}};
    if (withExtended)
        columns.append({QStringLiteral("Descrizione estesa"), 400, false, true});
    return columns;
}

} // namespace cu
