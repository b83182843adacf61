// modellocu demo: builds a demo installation (or fills the one given with
// --root) and runs the main job on it: the import of every person up to
// December, the telematic supply (written and verified) and the prints.
#include "Command.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/TerminalOperator.h"
#include "import/demo/DemoInstallation.h"
#include "store/HlmDBCds.h"
#include "telematic/ProducerSetting.h"

#include <QTextStream>
#include <functional>

namespace cu::cli {

namespace {

// Runs another subcommand on the demo installation, as the operator would
// from the command line; a failure ends the demo with the step named.
QString runSubcommand(demo::DemoInstallation& installation, const QString& name, const QStringList& args)
{
    for (const Command& command : commands()) {
        if (command.name != name)
            continue;
        const int status = command.run(CommandLine{installation.folders().root(), args});
        if (status != 0)
            throw EZfError(QStringLiteral("Passo \"%1 %2\" non riuscito (stato %3)")
                               .arg(name, args.join(u' '))
                               .arg(status));
        return QStringLiteral("ok");
    }
    throw EAssertion(QStringLiteral("Comando mancante: %1").arg(name), QStringLiteral("cmd_demo"));
}

// Completes the withholding agent's row as the operator does in the agent
// window before the supply: the signing representative and the signature.
QString fillRepresentative(demo::DemoInstallation& installation)
{
    HlmDBCds store(installation.connection());
    store.setProgramme(QStringLiteral("eli"));
    store.setYear(WorkingYear::Default);
    store.setMonth(-1);
    store.setShowWait(false);
    Dataset agent;
    store.open(agent, QStringLiteral("TCUS_DATISOST"));
    if (agent.isEmpty())
        throw EZfError(QStringLiteral("Dati del sostituto mancanti dopo l'importazione"));
    agent.first();
    agent.edit();
    const auto fill = [&agent](const char* column, const char* value) {
        const QString name = QString::fromLatin1(column);
        if (agent.asString(name).trimmed().isEmpty())
            agent.setValue(name, QString::fromLatin1(value));
    };
    fill("SSOSCFRAPPR", "RSSMRA70A01H501S");
    fill("SCARCODICE", "1");
    fill("SSOSCOGNRAPPR", "ROSSI");
    fill("SSOSNOMERAPPR", "MARIO");
    fill("SSOSFIRMACOM", "MARIO ROSSI");
    agent.post();
    store.save(agent, QStringLiteral("TCUS_DATISOST"));
    return agent.asString(u"SSOSFIRMACOM");
}

// The demo's software producer: a valid numeric fiscal code that names no
// real producer, set in the settings unless the installation has its own.
QString setDemoProducer(demo::DemoInstallation& installation)
{
    if (!hasProducerFiscalCode(installation.folders()))
        setProducerFiscalCode(installation.folders(), QStringLiteral("01234567897"));
    return producerFiscalCode(installation.folders());
}

struct DemoStep
{
    QString caption;
    std::function<QString(demo::DemoInstallation&)> run; // returns a short outcome
};

QVector<DemoStep> demoSteps()
{
    using demo::DemoInstallation;
    return {
        {QStringLiteral("Cartelle dell'installazione"),
         [](DemoInstallation& d) {
             d.prepareFolders();
             return d.folders().root();
         }},
        {QStringLiteral("File del programma"),
         [](DemoInstallation& d) {
             d.copyProgramFiles();
             return QStringLiteral("ok");
         }},
        {QStringLiteral("Impostazioni"),
         [](DemoInstallation& d) {
             d.writeSettings();
             return DemoInstallation::settingsPath(d.folders());
         }},
        {QStringLiteral("Produttore del software"), setDemoProducer},
        {QStringLiteral("Archivio dimostrativo"),
         [](DemoInstallation& d) {
             d.createDatabase();
             return QStringLiteral("%1 persone, %2 cedolini, %3 righe in %4")
                 .arg(d.summary().people)
                 .arg(d.summary().registers)
                 .arg(d.summary().rows)
                 .arg(d.databasePath());
         }},
        {QStringLiteral("Catalogo query"),
         [](DemoInstallation& d) {
             d.verifyCatalogue();
             return QStringLiteral("%1 istruzioni eseguite").arg(d.statementsVerified());
         }},
        {QStringLiteral("Importazione"),
         [](DemoInstallation& d) {
             return runSubcommand(d, QStringLiteral("import"),
                                  {QStringLiteral("--sovrascrivi"), QStringLiteral("sempre")});
         }},
        {QStringLiteral("Rappresentante e firma del sostituto"), fillRepresentative},
        {QStringLiteral("File telematico"),
         [](DemoInstallation& d) {
             runSubcommand(d, QStringLiteral("file"), {QStringLiteral("--yes")});
             const QString supply = d.folders().dichCU() + QStringLiteral("CUR25");
             runSubcommand(d, QStringLiteral("file"), {QStringLiteral("--verify"), supply});
             return supply;
         }},
        {QStringLiteral("Stampe"),
         [](DemoInstallation& d) {
             for (const char* print : {"sintetico", "frontespizio", "ct", "firme"})
                 runSubcommand(d, QStringLiteral("print"), {QString::fromLatin1(print)});
             return d.folders().stp();
         }},
    };
}

const QString Usage = QStringLiteral("Uso: modellocu [--root CARTELLA] demo [--people N] [--seed S]\n"
                                     "  --people N  persone dell'archivio (da 1 a %1, predefinito 150)\n"
                                     "  --seed S    seme dei dati (stesso seme, stesso archivio)\n");

quint64 number(const QStringList& args, int& i, const QString& option)
{
    bool ok = false;
    const quint64 value = i + 1 < args.size() ? args[i + 1].toULongLong(&ok) : 0;
    if (!ok)
        throw EZfError(QStringLiteral("Valore mancante o non numerico per %1").arg(option));
    ++i;
    return value;
}

int runDemo(const CommandLine& line)
{
    QTextStream out(stdout);
    demo::DemoOptions options;
    for (int i = 0; i < line.args.size(); ++i) {
        const QString& arg = line.args[i];
        if (arg == u"--people")
            options.people = static_cast<qint64>(number(line.args, i, arg));
        else if (arg == u"--seed")
            options.seed = number(line.args, i, arg);
        else if (arg == u"--help" || arg == u"-h") {
            out << Usage.arg(demo::DemoOptions::MaxPeople);
            return 0;
        } else
            throw EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(arg));
    }
    if (options.people < 1 || options.people > demo::DemoOptions::MaxPeople)
        throw EZfError(
            QStringLiteral("--people deve essere compreso tra 1 e %1").arg(demo::DemoOptions::MaxPeople));

    const Folders program;
    TerminalOperator op;
    demo::DemoInstallation installation(program.root(), line.root.isEmpty() ? program.root() : line.root,
                                        options, op);
    for (const DemoStep& step : demoSteps()) {
        out << step.caption << "... " << Qt::flush;
        out << step.run(installation) << '\n' << Qt::flush;
    }
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("demo"),
     QStringLiteral("crea un'installazione dimostrativa, importa, produce il file telematico e stampa"),
     runDemo});

} // namespace

} // namespace cu::cli
