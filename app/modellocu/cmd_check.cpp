// modellocu check: the data checks over the working year (the agent, the
// supplier, the CT form, the other agents, every certificate and its
// sections), one line per finding naming the certificate and the field;
// the status is 1 when anything is found.
#include "EditingCommand.h"

#include "certificates/checks/YearChecks.h"
#include "foundation/operator/Errors.h"

namespace cu::cli {

namespace {

const QString Usage = QStringLiteral(
    "Uso: modellocu [--root CARTELLA] check [--anno A]\n"
    "Controlla i dati dell'anno come prima del file telematico: sull'output una riga per ogni\n"
    "problema, con la certificazione (CF/MM) o la tabella e la colonna; il riepilogo va\n"
    "sull'errore standard. Esce con stato 1 se trova qualcosa, 0 altrimenti.\n");

int run(const CommandLine& line)
{
    QTextStream out(stdout);
    const EditingArguments arguments = EditingArguments::parse(line);
    if (arguments.helpShown(out, Usage))
        return 0;
    arguments.requireNothingMore();
    EditingInstallation installation(arguments);
    const QVector<CheckFinding> findings = checkYear(installation.certificates());
    for (const CheckFinding& finding : findings)
        out << finding.line() << '\n';
    installation.op().information(findings.isEmpty()
                                      ? QStringLiteral("Nessun problema trovato.")
                                      : QStringLiteral("Problemi trovati: %1").arg(findings.size()));
    return findings.isEmpty() ? 0 : 1;
}

const CommandRegistration registration(
    {QStringLiteral("check"), QStringLiteral("controlla i dati dell'anno prima del file telematico"), run});

} // namespace

} // namespace cu::cli
