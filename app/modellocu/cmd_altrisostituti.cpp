// modellocu altri-sostituti: the other withholding agents ("Dati Altri
// Sostituti") without the window, with the same rules: the fiscal code is
// required, a changed code follows into the certificates that refer to it,
// an agent that certificates refer to cannot be deleted.
#include "EditingCommand.h"

#include "certificates/agent/OtherAgentsEditing.h"
#include "foundation/operator/Errors.h"

namespace cu::cli {

namespace {

const QString Usage = QStringLiteral(
    "Uso: modellocu [--root CARTELLA] altri-sostituti list\n"
    "     modellocu [--root CARTELLA] altri-sostituti show --cf CF\n"
    "     modellocu [--root CARTELLA] altri-sostituti set [--cf CF] COLONNA=valore ... [--file FILE]\n"
    "     modellocu [--root CARTELLA] altri-sostituti delete --cf CF\n"
    "Altri sostituti d'imposta (tabella TCUAS_DATIALTRISOST), a cui una certificazione\n"
    "rimanda con SCUDALTROSOSCODFIS.\n"
    "  --cf CF         il sostituto da mostrare, modificare o cancellare; \"set\" senza --cf\n"
    "                  ne inserisce uno nuovo (SSOSCODFIS obbligatorio). Cambiando SSOSCODFIS\n"
    "                  il nuovo codice passa alle certificazioni che usavano il vecchio.\n"
    "  --file FILE     righe COLONNA=valore da un file (UTF-8; '#' commento)\n");

void locate(OtherAgentsEditing& editing, const QString& code)
{
    if (!editing.locate(code))
        throw EZfError(QStringLiteral("Sostituto non trovato: %1").arg(code));
}

void list(OtherAgentsEditing& editing, QTextStream& out)
{
    Dataset& rows = editing.rows();
    for (rows.first(); !rows.eof(); rows.next()) {
        const QString code = rows.asString(u"SSOSCODFIS");
        out << code << '\t' << (rows.asString(u"SSOSDENOM") + u' ' + rows.asString(u"SSOSNOME")).trimmed()
            << '\t' << QStringLiteral("%1 certificazioni").arg(editing.certificatesReferringTo(code)) << '\n';
    }
}

int run(const CommandLine& line)
{
    QTextStream out(stdout);
    const EditingArguments arguments = EditingArguments::parse(line);
    if (arguments.helpShown(out, Usage))
        return 0;
    arguments.requireAction(
        {QStringLiteral("list"), QStringLiteral("show"), QStringLiteral("set"), QStringLiteral("delete")});
    if (arguments.action == u"set")
        arguments.requireAssignments();
    else
        arguments.requireNoAssignments();
    EditingInstallation installation(arguments);
    OtherAgentsEditing editing(installation.certificates(), installation.op());
    editing.open();
    if (arguments.action == u"list") {
        list(editing, out);
        return 0;
    }
    if (arguments.action == u"show") {
        locate(editing, arguments.keyCode());
        printRow(out, editing, true);
        return 0;
    }
    if (arguments.action == u"delete") {
        locate(editing, arguments.keyCode());
        editing.remove();
        out << QStringLiteral("Sostituto %1 cancellato.\n").arg(arguments.keyCode());
        return 0;
    }
    if (arguments.key.isEmpty()) {
        editing.insert();
    } else {
        locate(editing, arguments.keyCode());
        editing.edit();
    }
    applyAssignments(editing, arguments.assignments, installation.op());
    editing.post();
    out << QStringLiteral("Sostituto %1 salvato").arg(editing.rows().asString(u"SSOSCODFIS"));
    if (editing.renamedCertificates() > 0)
        out << QStringLiteral(", codice aggiornato in %1 certificazioni").arg(editing.renamedCertificates());
    out << ".\n";
    return 0;
}

const CommandRegistration registration({QStringLiteral("altri-sostituti"),
                                        QStringLiteral("elenca, modifica o cancella gli altri sostituti"),
                                        run});

} // namespace

} // namespace cu::cli
