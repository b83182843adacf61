// modellocu print: the prints of the program without their windows: the
// certificates on the synthetic or the ordinary model (one file, or one file
// per recipient), the agent's frontispiece, the Quadro CT, the signature
// sheet and the recipient's information notice. Files go to USR/FJ2024/Stp/.
#include "Command.h"
#include "OpenInstallation.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/TerminalOperator.h"
#include "printing/AgentPrint.h"
#include "printing/CertificatePrint.h"
#include "printing/EliStampePDF.h"
#include "printing/OutputName.h"
#include "printing/PrintTables.h"
#include "store/HlmDBCds.h"

#include <QMap>
#include <QSet>
#include <QTextStream>

namespace cu::cli {

namespace {

const QString Usage =
    QStringLiteral(
        "Uso: modellocu [--root CARTELLA] print STAMPA [opzioni]\n"
        "Stampe:\n"
        "  sintetico      certificazioni sul modello sintetico (CU-2025.pdf)\n"
        "  ordinario      certificazioni sul modello ordinario (CU_Ordinario-2025.pdf)\n"
        "  frontespizio   frontespizio del sostituto d'imposta (Frontespizio.pdf)\n"
        "  ct             quadro CT (QuadroCT.pdf)\n"
        "  firme          elenco dei percipienti per le firme (Firme.pdf)\n"
        "  informativa    informazioni per il contribuente (informativa.pdf)\n"
        "Opzioni:\n"
        "  --anno A              anno finanziario (%1 o %2, predefinito %3)\n"
        "  --cf CF[,CF...]       solo questi codici fiscali, nell'ordine dell'elenco (ripetibile)\n"
        "  --fronte-retro        documento per la stampa fronte/retro\n"
        "  --firma-omessa        firma omessa ai sensi di legge\n"
        "  --nome NOME           nome del file, senza \".pdf\"\n"
        "  --ordina COLONNA      ordine delle certificazioni: SCUDCOGNOME (predefinito), SCUDNOME,\n"
        "                        SCUDMESE o SCUDCODFIS\n"
        "  --per-percipiente     un file per ogni percipiente (cognome_nome_codicefiscale.pdf)\n")
        .arg(WorkingYear::Earliest)
        .arg(WorkingYear::Latest)
        .arg(WorkingYear::Default);

struct PrintRequest
{
    QString kind;
    int year = WorkingYear::Default;
    QStringList taxCodes;
    bool duplex = false;
    bool signatureOmitted = false;
    bool perRecipient = false;
    QString name;
    bool nameGiven = false;
    QString order;
    QStringList given; // the options given, as written
};

// The options each print reads; any other option given is refused rather
// than silently ignored.
const QMap<QString, QStringList>& optionsOfKind()
{
    static const QStringList certificates{"--anno", "--cf",     "--fronte-retro",   "--firma-omessa",
                                          "--nome", "--ordina", "--per-percipiente"};
    static const QMap<QString, QStringList> options{
        {"sintetico", certificates},  {"ordinario", certificates},   {"frontespizio", {"--anno", "--nome"}},
        {"ct", {"--anno", "--nome"}}, {"firme", {"--anno", "--cf"}}, {"informativa", {"--anno"}}};
    return options;
}

void requireOptionsOfKind(const PrintRequest& request)
{
    const QStringList& allowed = optionsOfKind().value(request.kind);
    for (const QString& option : request.given)
        if (!allowed.contains(option))
            throw EZfError(QStringLiteral("%1 non vale per la stampa %2").arg(option, request.kind));
    if (request.nameGiven && request.perRecipient)
        throw EZfError(QStringLiteral(
            "--nome non vale con --per-percipiente: ogni file prende il nome del percipiente"));
}

PrintRequest parse(QStringList args)
{
    PrintRequest request;
    auto value = [&](int& i, const QString& option) {
        if (i + 1 >= args.size())
            throw EZfError(QStringLiteral("Valore mancante per %1").arg(option));
        return args[++i];
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.startsWith(u"--"))
            request.given.append(arg);
        if (arg == u"--anno") {
            bool ok = false;
            request.year = value(i, arg).toInt(&ok);
            if (!ok || !WorkingYear::isChoosable(request.year))
                throw EZfError(QStringLiteral("--anno accetta solo %1 o %2")
                                   .arg(WorkingYear::Earliest)
                                   .arg(WorkingYear::Latest));
        } else if (arg == u"--cf") {
            QStringList codes;
            for (const QString& code : value(i, arg).split(u','))
                if (!code.trimmed().isEmpty())
                    codes.append(code.trimmed().toUpper());
            request.taxCodes += codes;
            if (codes.isEmpty())
                throw EZfError(QStringLiteral("--cf senza codici fiscali: indicare almeno un codice "
                                              "fiscale (senza --cf si stampano tutte le certificazioni)"));
        } else if (arg == u"--fronte-retro") {
            request.duplex = true;
        } else if (arg == u"--firma-omessa") {
            request.signatureOmitted = true;
        } else if (arg == u"--per-percipiente") {
            request.perRecipient = true;
        } else if (arg == u"--ordina") {
            request.order = value(i, arg).toUpper();
            if (!CertificatePrint::orderColumns().contains(request.order))
                throw EZfError(QStringLiteral("--ordina accetta solo %1")
                                   .arg(CertificatePrint::orderColumns().join(QStringLiteral(", "))));
        } else if (arg == u"--nome") {
            request.name = value(i, arg);
            requireOutputName(request.name);
            request.nameGiven = true;
        } else if (arg.startsWith(u'-')) {
            throw EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(arg));
        } else if (request.kind.isEmpty()) {
            request.kind = arg;
        } else {
            throw EZfError(QStringLiteral("Argomento inatteso: %1").arg(arg));
        }
    }
    if (!optionsOfKind().contains(request.kind))
        throw EZfError(QStringLiteral("Stampa sconosciuta: \"%1\" (%2)")
                           .arg(request.kind, optionsOfKind().keys().join(u", ")));
    requireOptionsOfKind(request);
    return request;
}

// The information notice reads no table.
class NoTables : public PrintTables
{
public:
    void open(Dataset&, const QString& tableName) override { refuse(tableName); }
    void save(Dataset&, const QString& tableName, int) override { refuse(tableName); }

private:
    [[noreturn]] static void refuse(const QString& tableName)
    {
        throw EAssertion(QStringLiteral("Tabella %1 non disponibile").arg(tableName),
                         QStringLiteral("print"));
    }
};

// The rows of the list whose tax codes were asked for, in list order; an
// unknown tax code is refused.
QVector<int> selectRows(Dataset& list, const QStringList& taxCodes)
{
    QSet<QString> wanted(taxCodes.begin(), taxCodes.end());
    QSet<QString> found;
    QVector<int> rows;
    for (int i = 0; i < list.recordCount(); ++i) {
        list.setRecNo(i);
        const QString code = list.asString(u"SCUDCODFIS").toUpper();
        if (wanted.contains(code)) {
            rows.append(i);
            found.insert(code);
        }
    }
    const QSet<QString> missing = wanted - found;
    if (!missing.isEmpty()) {
        QStringList names(missing.begin(), missing.end());
        names.sort();
        throw EZfError(QStringLiteral("Nessuna certificazione per: %1").arg(names.join(u", ")));
    }
    return rows;
}

int printCertificates(const PrintRequest& request, const Folders& folders, PrintTables& tables, Operator& op,
                      QTextStream& out)
{
    Dataset list;
    tables.open(list, QStringLiteral("TCUD_DATICUD"));
    list.setIndexFieldNames(CertificatePrint::listOrder(request.order));
    CertificatePrintOptions options;
    options.ordinary = request.kind == u"ordinario";
    options.duplex = request.duplex;
    options.signatureOmitted = request.signatureOmitted;
    options.all = request.taxCodes.isEmpty();
    if (!options.all)
        options.selectedRows = selectRows(list, request.taxCodes);
    options.outputName =
        request.nameGiven ? request.name : CertificatePrint::defaultOutputName(options.ordinary);
    CertificatePrint print(folders, tables, op, request.year);
    print.message = [&out](const QString& text) { out << text << '\n' << Qt::flush; };
    if (request.perRecipient)
        print.printPerRecipient(list, options);
    else
        print.print(list, options);
    return 0;
}

int printAgentPage(const PrintRequest& request, const Folders& folders, PrintTables& tables, QTextStream& out)
{
    const AgentPrintKind kind =
        request.kind == u"ct" ? AgentPrintKind::QuadroCT : AgentPrintKind::Frontispiece;
    EliStampePDF module(folders, tables, request.year);
    AgentPrint print(folders);
    print.message = [&out](const QString& text) { out << text << '\n'; };
    module.PrintAgentPage(print, kind,
                          request.nameGiven ? request.name : AgentPrint::defaultOutputName(kind));
    return 0;
}

int printSignatures(const PrintRequest& request, const Folders& folders, PrintTables& tables,
                    QTextStream& out)
{
    Dataset list;
    tables.open(list, QStringLiteral("TCUD_DATICUD"));
    list.setIndexFieldNames(QStringLiteral("SCUDCOGNOME;SCUDNOME"));
    QStringList taxCodes;
    if (request.taxCodes.isEmpty()) {
        for (list.first(); !list.eof(); list.next())
            taxCodes.append(list.asString(u"SCUDCODFIS"));
    } else {
        for (int row : selectRows(list, request.taxCodes)) {
            list.setRecNo(row);
            taxCodes.append(list.asString(u"SCUDCODFIS"));
        }
    }
    EliStampePDF module(folders, tables, request.year);
    out << QStringLiteral("File generato: ") << module.PrintSignatureSheet(taxCodes) << '\n';
    return 0;
}

int runPrint(const CommandLine& line)
{
    QTextStream out(stdout);
    QStringList args = line.args;
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h")) || args.isEmpty()) {
        out << Usage << ConnectionSettings::commandLineHelp();
        return args.isEmpty() ? 2 : 0;
    }
    const Folders folders(line.root);
    const ConnectionParams params = ConnectionSettings::load(folders, args); // takes the --db-* options
    const PrintRequest request = parse(args);
    TerminalOperator op;
    if (request.kind == u"informativa") {
        NoTables none;
        EliStampePDF module(folders, none, request.year);
        out << QStringLiteral("File generato: ") << module.ExtractInformativa(10, 17) << '\n';
        return 0;
    }
    OpenInstallation installation(folders, params, request.year, op);
    StorePrintTables tables(*installation.context().store, request.year);
    if (request.kind == u"sintetico" || request.kind == u"ordinario")
        return printCertificates(request, folders, tables, op, out);
    if (request.kind == u"firme")
        return printSignatures(request, folders, tables, out);
    return printAgentPage(request, folders, tables, out);
}

const CommandRegistration
    registration({QStringLiteral("print"),
                  QStringLiteral("stampa certificazioni, frontespizio, quadro CT, firme"), runPrint});

} // namespace

} // namespace cu::cli
