// modellocu file: writes the telematic file of the certificates of an
// installation (all, some or none of them), verifies a telematic file
// against the layouts, or prints one in readable form.
#include "Command.h"
#include "OpenInstallation.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/TerminalOperator.h"
#include "store/HlmDBCds.h"
#include "telematic/TelematicProduction.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/TelematicViewer.h"
#include "telematic/layouts/FileLayouts.h"

#include <QDir>
#include <QTextStream>
#include <optional>

namespace cu::cli {

namespace {

const QString Usage =
    QStringLiteral("Uso: modellocu [--root CARTELLA] file [opzioni]\n"
                   "     modellocu [--root CARTELLA] file --verify FILE\n"
                   "     modellocu [--root CARTELLA] file --show FILE\n"
                   "  --tutti                   tutte le certificazioni (predefinito)\n"
                   "  --solo CF[/MM][,...]      solo queste certificazioni (codice fiscale, mese "
                   "facoltativo; ripetibile)\n"
                   "  --nessuno                 nessuna certificazione (solo frontespizio e quadro CT)\n"
                   "  --ordina COLONNA          numera le certificazioni in quest'ordine: SCUDCODFIS "
                   "(predefinito),\n"
                   "                            SCUDCOGNOME, SCUDNOME o DCUDDATANAS\n"
                   "  --output FILE             nome del file (predefinito USR/FJ2024/DichCU/CUR25)\n"
                   "  --anno A                  anno finanziario (predefinito %1)\n"
                   "  --yes                     risponde si' alla domanda sui controlli (altrimenti "
                   "rifiutata in batch)\n"
                   "  --verify FILE             controlla un file telematico e ne elenca i difetti\n"
                   "  --show FILE               mostra un file telematico campo per campo\n")
        .arg(WorkingYear::Default);

struct Request
{
    TelematicOptions options;
    int year = WorkingYear::Default;
    bool yes = false;
    bool help = false;
    bool outputGiven = false;
    std::optional<QString> verify;
    std::optional<QString> show;
};

// --tutti, --solo and --nessuno each choose the certificates: two different
// choices on one line are refused rather than the last one silently winning.
void choose(Request& r, TelematicOptions::Choice choice, std::optional<TelematicOptions::Choice>& given)
{
    if (given && *given != choice)
        throw EZfError(QStringLiteral("Le opzioni --tutti, --solo e --nessuno si escludono a vicenda"));
    given = choice;
    r.options.choice = choice;
}

QString valueOf(const QStringList& args, int& i, const QString& option)
{
    if (i + 1 >= args.size())
        throw EZfError(QStringLiteral("Valore mancante per %1").arg(option));
    return args[++i];
}

Request parse(const QStringList& args)
{
    Request r;
    std::optional<TelematicOptions::Choice> choices;
    for (int i = 0; i < args.size(); ++i) {
        const QString& opt = args[i];
        if (opt == u"--help" || opt == u"-h")
            r.help = true;
        else if (opt == u"--tutti")
            choose(r, TelematicOptions::Choice::All, choices);
        else if (opt == u"--nessuno")
            choose(r, TelematicOptions::Choice::None, choices);
        else if (opt == u"--solo") {
            choose(r, TelematicOptions::Choice::Selected, choices);
            r.options.selected += valueOf(args, i, opt).split(u',', Qt::SkipEmptyParts);
        } else if (opt == u"--ordina")
            r.options.order = valueOf(args, i, opt);
        else if (opt == u"--output") {
            r.options.outputPath = valueOf(args, i, opt);
            r.outputGiven = true;
        } else if (opt == u"--anno") {
            bool ok = false;
            r.year = valueOf(args, i, opt).toInt(&ok);
            if (!ok || !WorkingYear::isChoosable(r.year))
                throw EZfError(QStringLiteral("--anno deve essere %1 o %2")
                                   .arg(WorkingYear::Earliest)
                                   .arg(WorkingYear::Latest));
        } else if (opt == u"--yes")
            r.yes = true;
        else if (opt == u"--verify")
            r.verify = valueOf(args, i, opt);
        else if (opt == u"--show")
            r.show = valueOf(args, i, opt);
        else
            throw EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(opt));
    }
    return r;
}

int verifyFile(const Folders& folders, const QString& path, QTextStream& out)
{
    const FileLayouts layouts(folders);
    const VerifyReport report = TelematicVerifier(layouts).verify(path);
    for (const QString& defect : report.defects)
        out << defect << '\n';
    if (report.defectCount > report.defects.size())
        out << "... e altri " << report.defectCount - report.defects.size() << " difetti\n";
    out << QStringLiteral("%1: %2 righe (C %3, D %4, G %5, H %6), %7\n")
               .arg(path)
               .arg(report.lines)
               .arg(report.counts.value(u'C'))
               .arg(report.counts.value(u'D'))
               .arg(report.counts.value(u'G'))
               .arg(report.counts.value(u'H'))
               .arg(report.ok() ? QStringLiteral("nessun difetto")
                                : QStringLiteral("%1 difetti").arg(report.defectCount));
    return report.ok() ? 0 : 1;
}

int produce(const Folders& folders, const ConnectionParams& connectionParams, const Request& request,
            QTextStream& out)
{
    TerminalOperator op(request.yes ? TerminalOperator::Policy::AnswerYes
                                    : TerminalOperator::Policy::Interactive);
    OpenInstallation installation(folders, connectionParams, request.year, op);
    AppContext& context = installation.context();

    TelematicOptions options = request.options;
    options.log = [&out](const QString& line) {
        out << line << '\n';
        out.flush();
    };
    const TelematicResult result = produceTelematicFile(context, options);
    out << QStringLiteral("Certificazioni: %1\n").arg(result.certificates);
    for (const QString& file : result.files)
        out << QStringLiteral("File scritto: %1\n").arg(file);
    return 0;
}

int runFileCommand(const CommandLine& line)
{
    QTextStream out(stdout);
    QStringList args = line.args;
    const Folders folders(line.root);
    const ConnectionParams connectionParams = ConnectionSettings::load(folders, args);
    const Request request = parse(args);
    if (request.help) {
        out << Usage << ConnectionSettings::commandLineHelp();
        return 0;
    }
    if (request.verify && request.show)
        throw EZfError(QStringLiteral("Le opzioni --verify e --show si escludono a vicenda"));
    if (request.verify)
        return verifyFile(folders, *request.verify, out);
    if (request.show) {
        const FileLayouts layouts(folders);
        TelematicViewer(layouts).show(*request.show, out);
        return 0;
    }
    if (request.outputGiven)
        TelematicProduction::requireOutputPath(request.options.outputPath);
    return produce(folders, connectionParams, request, out);
}

const CommandRegistration registration({QStringLiteral("file"),
                                        QStringLiteral("crea, controlla o mostra il file telematico"),
                                        runFileCommand});

} // namespace

} // namespace cu::cli
