// modellocu sostituto: the withholding agent's data ("Dati Sostituto")
// without the window, with the same rules.
#include "SingleRowCommand.h"

#include "certificates/agent/AgentEditing.h"

namespace cu::cli {

namespace {

const QString Usage =
    QStringLiteral("Uso: modellocu [--root CARTELLA] sostituto show\n"
                   "     modellocu [--root CARTELLA] sostituto set COLONNA=valore ... [--file FILE]\n"
                   "Dati del sostituto d'imposta (tabella TCUS_DATISOST): \"show\" li stampa come righe\n"
                   "COLONNA=valore, \"set\" scrive le colonne date (la riga si crea se manca).\n"
                   "  --file FILE     righe COLONNA=valore da un file (UTF-8; '#' commento)\n");

int run(const CommandLine& line)
{
    return runSingleRowCommand(line, Usage, [](CertificateStore& certificates, Operator& op) {
        return std::make_unique<AgentEditing>(certificates, op);
    });
}

const CommandRegistration registration({QStringLiteral("sostituto"),
                                        QStringLiteral("mostra o modifica i dati del sostituto d'imposta"),
                                        run});

} // namespace

} // namespace cu::cli
