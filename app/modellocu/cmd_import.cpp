// modellocu import: imports the payroll archive of an installation into the
// certificates, with the wizard's options on the command line, a progress
// line and the import log at the end. The options pass the same checks as
// in the wizard (verificaParametri, inside runImport). Ctrl-C ends the run after the person
// being imported, whose transaction is completed first.
#include "Command.h"
#include "OpenInstallation.h"

#include "certificates/CertificateSchema.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/ParamManager.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/TerminalOperator.h"
#include "import/run/ImportRun.h"
#include "store/HlmDBCds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <atomic>
#include <csignal>

namespace cu::cli {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int)
{
    interrupted.store(true);
}

// The terminal operator, with Ctrl-C as the abort of the run.
class InterruptibleOperator : public Operator
{
public:
    explicit InterruptibleOperator(Operator& inner) : m_inner(inner) {}
    void error(const QString& text) override { m_inner.error(text); }
    void warning(const QString& text) override { m_inner.warning(text); }
    void information(const QString& text) override { m_inner.information(text); }
    void stop(const QString& text) override { m_inner.stop(text); }
    Answer ask(const QString& question, Buttons buttons) override { return m_inner.ask(question, buttons); }
    bool showInfo(const QString& title, const QString& text, const QString& question) override
    {
        return m_inner.showInfo(title, text, question);
    }
    void beginProgress(const QString& caption, int total) override { m_inner.beginProgress(caption, total); }
    void setProgress(int done, const QString& text) override { m_inner.setProgress(done, text); }
    void endProgress() override { m_inner.endProgress(); }
    bool wasAborted() const override { return interrupted.load() || m_inner.wasAborted(); }

private:
    Operator& m_inner;
};

const QString Usage =
    QStringLiteral(
        "Uso: modellocu [--root CARTELLA] import [opzioni]\n"
        "  --anno A                  anno finanziario (predefinito %1)\n"
        "  --categoria N             categoria (0 predefinite, 7 solo autonomi)\n"
        "  --mese M                  fino al mese M (predefinito 12)\n"
        "  --solo-inps               solo dati INPS\n"
        "  --no-sostituto            non importa i dati del sostituto\n"
        "  --detrazioni-senza-conguaglio  detrazioni e crediti anche senza conguaglio\n"
        "  --acconto-add-com         punto 29: acconto addizionale comunale dell'anno successivo\n"
        "  --add-com-acconto         addizionale comunale nel punto 26 (acconto) invece del 27\n"
        "  --arretrati-511           compensi arretrati nel punto 511 invece del 512\n"
        "  --uniemens                sezione INPS gestione pubblica da UniEmens invece che da NoiPA\n"
        "                            (da NoiPA serve il c.f. soggetto denuncia dei codici contributivi)\n"
        "  --no-fiscale-noipa        esclude i dati fiscali delle liquidazioni inviate a NoiPA\n"
        "  --altro-sostituto CF      codice fiscale dell'altro sostituto\n"
        "  --cococo                  tratta le posizioni come co.co.co.\n"
        "  --sovrascrivi sempre|mai|chiedi   modelli già presenti (predefinito chiedi)\n"
        "  --forza-stampati          reimporta anche i modelli già stampati\n"
        "  --solo CF|ID[,...]        solo questi codici fiscali o posizioni (ripetibile)\n"
        "  --sede N                  sede (predefinito ZFUP_DwgId delle impostazioni)\n"
        "  --log FILE                scrive anche il registro dell'importazione in FILE\n")
        .arg(WorkingYear::Default);

class Options
{
public:
    explicit Options(QStringList args) : m_args(std::move(args)) {}

    bool next(QString& option)
    {
        if (m_i >= m_args.size())
            return false;
        option = m_args[m_i++];
        return true;
    }
    QString value(const QString& option)
    {
        if (m_i >= m_args.size())
            throw EZfError(QStringLiteral("Valore mancante per %1").arg(option));
        return m_args[m_i++];
    }
    int number(const QString& option, int min, int max)
    {
        bool ok = false;
        const int n = value(option).toInt(&ok);
        if (!ok || n < min || n > max)
            throw EZfError(
                QStringLiteral("%1 deve essere un numero da %2 a %3").arg(option).arg(min).arg(max));
        return n;
    }

private:
    QStringList m_args;
    int m_i = 0;
};

OverwritePolicy policy(const QString& text)
{
    if (text == u"sempre")
        return OverwritePolicy::Always;
    if (text == u"mai")
        return OverwritePolicy::Never;
    if (text == u"chiedi")
        return OverwritePolicy::Ask;
    throw EZfError(QStringLiteral("--sovrascrivi vuole sempre, mai o chiedi (non \"%1\")").arg(text));
}

struct Request
{
    ImportParameters params;
    int year = WorkingYear::Default;
    int site = 0;
    QString logFile;
    bool logRequested = false;
    bool help = false;
};

Request parse(const QStringList& args)
{
    Request r;
    ImportParameters& p = r.params;
    Options o(args);
    QString opt;
    while (o.next(opt)) {
        if (opt == u"--help" || opt == u"-h")
            r.help = true;
        else if (opt == u"--anno")
            r.year = o.number(opt, WorkingYear::Earliest, WorkingYear::Latest);
        else if (opt == u"--categoria")
            p.icalId = o.number(opt, 0, 9999);
        else if (opt == u"--mese")
            p.imesId = o.number(opt, 1, 12);
        else if (opt == u"--solo-inps")
            p.soloInps = true;
        else if (opt == u"--no-sostituto")
            p.sostituto = false;
        else if (opt == u"--detrazioni-senza-conguaglio")
            p.ancheSenzaConguaglio = true;
        else if (opt == u"--acconto-add-com")
            p.accontoAddCom = true;
        else if (opt == u"--add-com-acconto")
            p.accontoAddComAnno = true;
        else if (opt == u"--arretrati-511")
            p.arretratiDetr = true;
        else if (opt == u"--uniemens")
            p.includiInpdapMef = false;
        else if (opt == u"--no-fiscale-noipa")
            p.fiscaleNoipa = false;
        else if (opt == u"--altro-sostituto")
            p.codFisAltriSos = o.value(opt).trimmed().toUpper();
        else if (opt == u"--cococo")
            p.cococo = true;
        else if (opt == u"--sovrascrivi")
            p.overwrite = policy(o.value(opt));
        else if (opt == u"--forza-stampati")
            p.forzaStampati = true;
        else if (opt == u"--solo")
            p.only += o.value(opt).split(u',', Qt::SkipEmptyParts);
        else if (opt == u"--sede")
            r.site = o.number(opt, 1, 1000000);
        else if (opt == u"--log") {
            r.logFile = o.value(opt);
            r.logRequested = true;
        } else
            throw EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(opt));
    }
    // "Solo dati INPS" clears the fiscal data of the NoiPA liquidations, as in the wizard.
    if (p.soloInps)
        p.fiscaleNoipa = false;
    return r;
}

// The log file is checked before the import starts, so that a run is never
// done and then its log lost: a name, in a folder that exists and can be
// written, that is not a folder itself nor a file that cannot be written.
void requireLogPath(const QString& path)
{
    if (path.trimmed().isEmpty())
        throw EZfError(QStringLiteral("--log vuole il nome del file del registro."));
    const QFileInfo file(path);
    if (file.isDir())
        throw EZfError(QStringLiteral("Il registro %1 è una cartella: indicare un file.").arg(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        throw EZfError(QStringLiteral("La cartella del registro %1 non esiste.").arg(path));
    if (file.exists() ? !file.isWritable() : !folder.isWritable())
        throw EZfError(QStringLiteral("Il registro %1 non può essere scritto: permesso negato.").arg(path));
    if (file.exists() && !file.isFile())
        throw EZfError(QStringLiteral("Il registro %1 non è un file ordinario.").arg(path));
}

void writeLog(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw EZfError(
            QStringLiteral("Impossibile scrivere il registro %1: %2").arg(path, file.errorString()));
    QTextStream out(&file);
    for (const QString& line : lines)
        out << line << '\n';
}

int runImportCommand(const CommandLine& line)
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

    if (request.logRequested)
        requireLogPath(request.logFile);

    TerminalOperator terminal;
    InterruptibleOperator op(terminal);
    OpenInstallation installation(folders, connectionParams, request.year, op);
    AppContext& context = installation.context();

    ImportRunOptions options;
    options.siteId = request.site;
    options.showClosing = false;
    std::signal(SIGINT, onInterrupt);
    const ImportOutcome outcome = runImport(context, request.params, op, options);
    std::signal(SIGINT, SIG_DFL);

    out << QStringLiteral("Posizioni: %1, importate: %2, lasciate: %3, scartate: %4, con errori: %5%6\n")
               .arg(outcome.listed)
               .arg(outcome.imported)
               .arg(outcome.skipped)
               .arg(outcome.dropped)
               .arg(outcome.failed)
               .arg(outcome.aborted ? QStringLiteral(" (interrotta)") : QString());
    if (outcome.listed == 0)
        out << "Nessuna dato da importare!\n";
    else if (outcome.lines.isEmpty())
        out << "Fine operazione\n";
    else
        for (const QString& l : outcome.lines)
            out << l << '\n';
    if (request.logRequested)
        writeLog(request.logFile, outcome.lines);
    return 0;
}

const CommandRegistration registration({QStringLiteral("import"),
                                        QStringLiteral("importa l'archivio retributivo nei modelli CU"),
                                        runImportCommand});

} // namespace

} // namespace cu::cli
