// The checks of an import's options.
#include "import/run/ImportChecks.h"

#include "foundation/operator/Errors.h"
#include "import/run/ImportParameters.h"

namespace cu {

void verificaParametri(const ImportParameters& params, const QString& cfSoggettoDenuncia)
{
    if (params.includiInpdapMef && cfSoggettoDenuncia.trimmed().isEmpty())
        throw EZfError(QStringLiteral(
            "Si è scelto di importare la sezione 2 INPS Gestione Pubblica dai compensi inviati ad "
            "\"Accessori Fuori sistema\".\r\n\r\nIl c.f. soggetto denuncia è obbligatorio"));
    if (params.soloInps && params.fiscaleNoipa)
        throw EZfError(QStringLiteral("Non è possibile scegliere contemporaneamente \"Solo INPS\" e \"Importa "
                                      "dati fiscali anche per le liquidazioni inviate a NoiPa\" "));
}

} // namespace cu
