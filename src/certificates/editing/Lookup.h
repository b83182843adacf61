// The rows that the lookup dialog ("Finestra di ricerca") offers for a coded
// column, and its rules without the widgets: the source (a lookup file of
// Res/Tabelle named by the schema, or the other agents' table of the store
// for SCUDALTROSOSCODFIS), the order by the first shown field, the nearest
// row to the typed text, and the value that the choice puts into the field.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace cu {

class CertificateStore;
class Dataset;
class Folders;
struct ColumnSchema;

struct LookupSource
{
    enum class Kind
    {
        None,
        File, // name: a file of Res/Tabelle
        Store // name: a table of the store
    };
    Kind kind = Kind::None;
    QString name;
};

LookupSource lookupSource(const ColumnSchema& column);

// Fields of the rows that the dialog does not show (the store's own ids).
QStringList hiddenLookupFields(const LookupSource& source);

// Loads the source's rows ordered by the first shown field. A missing file
// is an EZfError naming it.
void loadLookup(Dataset& rows, const LookupSource& source, CertificateStore& certificates,
                const Folders& folders);
// The same for a file source alone.
void loadLookupFile(Dataset& rows, const LookupSource& source, const Folders& folders);

// The first field the dialog shows ("Cerca per " + its name).
QString firstShownField(const Dataset& rows, const LookupSource& source);

// The position of the first row, in the current order, whose field is not
// below the typed text (numbers compared as numbers, texts without regard
// to case); the last row when none is; -1 for no rows.
int nearestRow(const Dataset& rows, const QString& field, const QString& typed);

} // namespace cu
