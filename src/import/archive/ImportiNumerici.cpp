// Refusing amounts of the archive that hold no number.
#include "import/archive/ImportiNumerici.h"

#include "foundation/operator/Errors.h"
#include "import/archive/PayrollArchive.h"

namespace cu {

void richiediImportiNumerici(PayrollArchive& archive, qint64 iacomId)
{
    const ArchiveRows rows = archive.open(
        {QStringLiteral("QRY_CUD_IMPORTI_NON_NUMERICI"), {{QStringLiteral("IACOMID"), iacomId}}, {}, {}});
    if (rows.isEmpty())
        return;
    throw EZfError(
        QStringLiteral("Importo non valido nella colonna %1 della tabella %2 dei dati retributivi: "
                       "\"%3\" non è un numero.")
            .arg(rows.string(0, QStringLiteral("COLONNA")), rows.string(0, QStringLiteral("TABELLA")),
                 rows.string(0, QStringLiteral("VALORE"))));
}

} // namespace cu
