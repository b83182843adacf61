// modellocu certificato: one certificate without the editor window: "show"
// prints its points with their values in Italian formats, section by
// section; "set" changes columns of the certificate's row with the editor's
// rules (refused on a printed certificate).
#include "EditingCommand.h"

#include "certificates/CertificateSchema.h"
#include "certificates/editing/CertificateEditing.h"
#include "certificates/editing/ColumnText.h"

#include <QSet>

namespace cu::cli {

namespace {

const QString Usage = QStringLiteral(
    "Uso: modellocu [--root CARTELLA] certificato show --cf CF[/MM] [--tutti]\n"
    "     modellocu [--root CARTELLA] certificato set --cf CF[/MM] COLONNA=valore ... [--file FILE]\n"
    "\"show\" stampa i punti della certificazione e delle sue sezioni (punto, colonna, valore);\n"
    "\"set\" modifica colonne della certificazione (tabella TCUD_DATICUD). Formati: importi\n"
    "1234,56 o 1.234,56; date gg/mm/aaaa; flag 0 oppure il valore di spunta (X o 1).\n"
    "  --cf CF[/MM]    codice fiscale e, se la persona ha piu' certificazioni, mese (01..12, 00)\n"
    "  --tutti         \"show\" stampa anche i punti vuoti\n"
    "  --file FILE     righe COLONNA=valore da un file (UTF-8; '#' commento)\n");

void printRows(QTextStream& out, const TableEditing& editing, const QString& heading, bool all)
{
    const Dataset& rows = editing.rows();
    out << '[' << heading << "]\n";
    for (const ColumnSchema& column : editing.table().columns) {
        const QString text = columntext::display(column, rows.value(column.name));
        if (all || !text.isEmpty())
            out << QStringLiteral("  %1 %2=%3\n").arg(column.point, -5).arg(column.name, text);
    }
}

void show(QTextStream& out, CertificateEditing& editing, bool all)
{
    out << QStringLiteral("Certificazione %1 (%2)\n")
               .arg(editing.current().label(),
                    editing.isPrinted() ? QStringLiteral("stampata") : QStringLiteral("modificabile"));
    printRows(out, editing, editing.table().name, all);
    QSet<QString> shown;
    for (const auto& section : editing.sections()) {
        if (shown.contains(section->table().name))
            continue;
        shown.insert(section->table().name);
        Dataset& rows = section->rows();
        for (rows.first(); !rows.eof(); rows.next())
            printRows(out, *section,
                      QStringLiteral("%1 riga %2").arg(section->table().name).arg(rows.recNo() + 1), all);
    }
}

int run(const CommandLine& line)
{
    QTextStream out(stdout);
    const EditingArguments arguments = EditingArguments::parse(line);
    if (arguments.helpShown(out, Usage))
        return 0;
    arguments.requireShowOrSet();
    EditingInstallation installation(arguments);
    CertificateEditing editing(installation.certificates(), installation.op());
    editing.open();
    editing.find(arguments.keyCode(), arguments.keyMonth());
    if (arguments.action == u"show") {
        show(out, editing, arguments.all);
        return 0;
    }
    return runEditing([&] {
        applyAssignments(editing, arguments.assignments, installation.op());
        editing.post();
        out << QStringLiteral("Certificazione %1 salvata.\n").arg(editing.current().label());
        return 0;
    });
}

const CommandRegistration registration({QStringLiteral("certificato"),
                                        QStringLiteral("mostra o modifica una certificazione"), run});

} // namespace

} // namespace cu::cli
