// Small dataset helpers that the editor, the import and the store share:
// re-opening a query only when its key changes, the columns of the lookup
// dialog, the development-mode switch, the legal-position filters of the
// import and the month check. (Putting a dataset into edit mode when it is
// browsing is Dataset::editIfBrowsing; new ids come from GenerateID in
// IdGenerator.h.)
#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace cu {

class Folders;
class QueryDataset;

// Does nothing when the query is open, not empty, not forced and its field
// keyName already holds value; otherwise closes it, sets the parameter
// keyName to value and opens it.
void ReopenIfChanged(QueryDataset& query, const QString& keyName, bool force, const QVariant& value);

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

// True when the file "dev" exists in the folder etc/eli/ of the installation.
bool IsDevelopmentMode(const Folders& folders);

// "NOT REGS.ITNOID IN (10,14,15,9,12,13)": the legal positions that the
// import leaves out.
QString LegalPositionFilterExcluded();

// "REGS.ITNOID IN (10,14,15)"; with a further list of excluded positions
// "(REGS.ITNOID IN (10,14,15) AND NOT REGS.ITNOID IN (<list>))". The list
// is a comma-separated list of integers; anything else is an EAssertion,
// because it becomes SQL text.
QString LegalPositionFilterIncluded(const QString& extraExcluded = QString());

// 1 <= month <= 12.
bool IsValidMonth(int month);

} // namespace cu
