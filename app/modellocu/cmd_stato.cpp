// modellocu stato: the printed state of a certificate, and the state
// command of the certificate editor: a printed certificate is read-only
// until it is made editable again, after the editor's question.
#include "EditingCommand.h"

#include "certificates/editing/CertificateEditing.h"
#include "foundation/operator/Errors.h"

namespace cu::cli {

namespace {

const QString Usage = QStringLiteral(
    "Uso: modellocu [--root CARTELLA] stato --cf CF[/MM] [--modificabile]\n"
    "Mostra se la certificazione e' stampata (e quindi non modificabile); con --modificabile\n"
    "chiede \"Il modello è gia stato stampato, si desidera modificarlo?\" e, se la risposta\n"
    "e' Si', la rende di nuovo modificabile (iCudStato = 0).\n"
    "  --cf CF[/MM]    codice fiscale e, se la persona ha piu' certificazioni, mese (01..12, 00)\n");

QString stateText(const CertificateEditing& editing)
{
    return editing.isPrinted() ? QStringLiteral("stampata (non modificabile)")
                               : QStringLiteral("modificabile");
}

int run(const CommandLine& line)
{
    QTextStream out(stdout);
    const EditingArguments arguments = EditingArguments::parse(line);
    if (arguments.helpShown(out, Usage))
        return 0;
    arguments.requireNothingMore();
    EditingInstallation installation(arguments);
    CertificateEditing editing(installation.certificates(), installation.op());
    editing.open();
    editing.find(arguments.keyCode(), arguments.keyMonth());
    const QString label = editing.current().label();
    if (arguments.editable && editing.canReleasePrinted())
        editing.releasePrinted();
    else if (arguments.editable)
        installation.op().information(
            QStringLiteral("La certificazione %1 non è stampata: è già modificabile.").arg(label));
    out << QStringLiteral("Certificazione %1: %2\n").arg(label, stateText(editing));
    return 0;
}

const CommandRegistration
    registration({QStringLiteral("stato"),
                  QStringLiteral("mostra lo stato di stampa di una certificazione o la sblocca"), run});

} // namespace

} // namespace cu::cli
