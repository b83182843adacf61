// The import over the list of positions: lists the positions that can get a
// certificate for the chosen month, writes the withholding agent's own data,
// imports each chosen person inside a database transaction of its own and
// ends with "Fine operazione" or the import log.
#pragma once

#include "import/archive/ArchiveRows.h"
#include "import/run/ImportParameters.h"
#include "import/run/Info.h"

#include <QDate>

namespace cu {

struct AppContext;
class Operator;
class SceltaPosizioniGiuridiche;

struct ImportOutcome
{
    int listed = 0;   // positions of the list
    int imported = 0; // certificates written
    int skipped = 0;  // left as they were (existing, printed, no fiscal code)
    int dropped = 0;  // removed again by the emptiness check
    int failed = 0;   // rolled back after an error
    bool aborted = false;
    QStringList lines; // the import log
};

struct ImportRunOptions
{
    int siteId = 0;                              // IDWGID; 0 = from the payroll parameters
    QDate today = QDate::currentDate();          // date of the certificates
    SceltaPosizioniGiuridiche* choice = nullptr; // nullptr = the stored settings
    bool showClosing = true;                     // "Fine operazione" or the log at the end
};

// Runs the whole import on the installation of the context. Raises when the
// import cannot start (no connection, no catalogue, missing data files, or
// options that verificaParametri refuses); a
// person that fails is rolled back and reported, and the run goes on.
ImportOutcome runImport(AppContext& context, const ImportParameters& params, Operator& op,
                        const ImportRunOptions& options = {});

// The list of positions of the chosen month (QRY_CUD_IMP with the category
// condition), with MESE_INIZIALE and CONGUAGLIO filled and the positions
// without a month left out; ordered by SANACOGNOMENOME.
ArchiveRows listaPosizioni(AppContext& context, const ImportParameters& params, int siteId);

} // namespace cu
