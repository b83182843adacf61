// The columns of the lookup dialog's grid, which lists a lookup table's code
// and description (and, for some tables, a longer description) to pick from.
#pragma once

#include <QString>
#include <QVector>

namespace cu {

// One column of the lookup dialog's grid.
struct SearchColumn
{
    QString title;
    int width = 0; // 0: the grid's default
    bool indexed = false;
    bool visible = true;
};

// "Codice" (width 100, indexed), "Descrizione" (indexed) and, when asked,
// "Descrizione estesa" (not indexed, width 400); all visible.
QVector<SearchColumn> ConfigureSearchColumns(bool withExtended);

} // namespace cu
