// The checks that the options of an import must pass before anything is
// read or written; the wizard "Importa dati per CU" runs them when it is
// closed with "Importa" (and stays open), modellocu import before it starts.
#pragma once

#include <QString>

namespace cu {

struct ImportParameters;

// Raises EZfError with the message of the first option that is refused:
// the public-sector section taken from the NoiPA liquidations needs the
// fiscal code of the reporting body (cfSoggettoDenuncia, SPACOCFMEF of the
// withholding agent's social-security codes); "Solo dati INPS" excludes the
// fiscal data of the liquidations sent to NoiPA.
void verificaParametri(const ImportParameters& params, const QString& cfSoggettoDenuncia);

} // namespace cu
