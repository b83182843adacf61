// modellocu quadro-ct: the CT form ("Quadro CT") without the window, with
// the same rules: the agent's LSOSCT follows the mobile number and e-mail.
#include "SingleRowCommand.h"

#include "certificates/agent/CtFormEditing.h"

namespace cu::cli {

namespace {

const QString Usage =
    QStringLiteral("Uso: modellocu [--root CARTELLA] quadro-ct show\n"
                   "     modellocu [--root CARTELLA] quadro-ct set COLONNA=valore ... [--file FILE]\n"
                   "Quadro CT (tabella TCUCT_DATICT). Dopo il salvataggio il flag LSOSCT del sostituto\n"
                   "vale 1 se SCTCELL o SCTEMAIL sono compilati, 0 altrimenti.\n"
                   "  --file FILE     righe COLONNA=valore da un file (UTF-8; '#' commento)\n");

int run(const CommandLine& line)
{
    return runSingleRowCommand(line, Usage, [](CertificateStore& certificates, Operator& op) {
        return std::make_unique<CtFormEditing>(certificates, op);
    });
}

const CommandRegistration registration({QStringLiteral("quadro-ct"),
                                        QStringLiteral("mostra o modifica il quadro CT"), run});

} // namespace

} // namespace cu::cli
