// modellocu fornitore: the supplier of the telematic file ("Fornitore")
// without the window, with the same rules: a new supplier needs its fiscal
// code, and the data checks' findings are shown with the question whether
// to go on (--yes answers it).
#include "SingleRowCommand.h"

#include "certificates/agent/SupplierEditing.h"

namespace cu::cli {

namespace {

const QString Usage =
    QStringLiteral("Uso: modellocu [--root CARTELLA] fornitore show\n"
                   "     modellocu [--root CARTELLA] fornitore set COLONNA=valore ... [--file FILE]\n"
                   "Fornitore del file telematico (tabella TCFO_FORNITORE: SFORCODFIS, STFOCODICE).\n"
                   "Se i controlli trovano dati mancanti li elenca e chiede se proseguire.\n"
                   "  --file FILE     righe COLONNA=valore da un file (UTF-8; '#' commento)\n");

int run(const CommandLine& line)
{
    return runSingleRowCommand(line, Usage, [](CertificateStore& certificates, Operator& op) {
        return std::make_unique<SupplierEditing>(certificates, op);
    });
}

const CommandRegistration registration({QStringLiteral("fornitore"),
                                        QStringLiteral("mostra o modifica il fornitore del file telematico"),
                                        run});

} // namespace

} // namespace cu::cli
