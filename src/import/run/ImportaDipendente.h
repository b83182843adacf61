// The import of one person: decides whether the person's certificate is
// (re)written, works out the legal positions, writes the certificate row and
// its sections in order, and drops the certificate again when it holds
// nothing. Runs inside the person's database transaction; any raise rolls
// the person back.
#pragma once

#include "import/archive/ArchiveRows.h"
#include "import/builders/CudContext.h"

namespace cu {

struct ImportEnvironment;

class ImportaDipendente
{
public:
    enum class Esito
    {
        Importato,
        Saltato,
        Scartato
    };

    // listRow: the person's row of the selection list (QRY_CUD_IMP with its
    // MESE_INIZIALE, MESE_FINALE and CONGUAGLIO).
    static Esito run(ImportEnvironment& env, const ArchiveRows& list, int listRow);

    // "SANACODFISCALE", "SANACOGNOME"... of the list row as a selection.
    static Selezione selezione(const ArchiveRows& list, int row);
};

} // namespace cu
