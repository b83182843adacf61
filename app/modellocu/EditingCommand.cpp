// The editing commands' shared parts.
#include "EditingCommand.h"

#include "certificates/CertificateSchema.h"
#include "certificates/checks/FieldValidators.h"
#include "certificates/editing/ColumnText.h"
#include "certificates/editing/PrintedLock.h"
#include "certificates/editing/TableEditing.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/WorkingYear.h"
#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"

#include <QFile>
#include <QStringDecoder>

namespace cu::cli {

namespace {

QString valueOf(const QStringList& args, int& i)
{
    if (i + 1 >= args.size())
        throw EZfError(QStringLiteral("Valore mancante per %1").arg(args[i]));
    return args[++i];
}

int yearOf(const QString& text)
{
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok || !WorkingYear::isChoosable(year))
        throw EZfError(QStringLiteral("--anno accetta solo %1 o %2")
                           .arg(WorkingYear::Earliest)
                           .arg(WorkingYear::Latest));
    return year;
}

} // namespace

EditingArguments EditingArguments::parse(const CommandLine& line)
{
    EditingArguments a;
    a.folders = Folders(line.root);
    QStringList args = line.args;
    a.connection = ConnectionSettings::load(a.folders, args);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--help" || arg == u"-h")
            a.help = true;
        else if (arg == u"--anno")
            a.year = yearOf(valueOf(args, i));
        else if (arg == u"--yes")
            a.yes = true;
        else if (arg == u"--tutti")
            a.all = true;
        else if (arg == u"--modificabile")
            a.editable = true;
        else if (arg == u"--cf")
            a.key = valueOf(args, i).trimmed().toUpper();
        else if (arg == u"--file")
            a.assignments += readAssignmentFile(valueOf(args, i));
        else if (arg.startsWith(u'-'))
            throw EZfError(QStringLiteral("Opzione sconosciuta: %1").arg(arg));
        else if (a.action.isEmpty() && !arg.contains(u'='))
            a.action = arg;
        else if (const auto assignment = parseAssignment(arg, QStringLiteral("argomento \"%1\"").arg(arg)))
            a.assignments.append(*assignment);
    }
    return a;
}

bool EditingArguments::helpShown(QTextStream& out, const QString& usage) const
{
    if (help)
        out << usage << commonOptionsHelp();
    return help;
}

void EditingArguments::requireShowOrSet() const
{
    requireAction({QStringLiteral("show"), QStringLiteral("set")});
    if (action == u"show")
        requireNoAssignments();
    else
        requireAssignments();
}

void EditingArguments::requireNothingMore() const
{
    if (!action.isEmpty())
        throw EZfError(QStringLiteral("Argomento inatteso: %1").arg(action));
    requireNoAssignments();
}

void EditingArguments::requireAction(const QStringList& actions) const
{
    if (!actions.contains(action))
        throw EZfError(
            action.isEmpty()
                ? QStringLiteral("Azione mancante (%1)").arg(actions.join(u'|'))
                : QStringLiteral("Azione sconosciuta: \"%1\" (%2)").arg(action, actions.join(u'|')));
}

void EditingArguments::requireNoAssignments() const
{
    if (!assignments.isEmpty())
        throw EZfError(QStringLiteral("L'azione %1 non accetta COLONNA=valore (%2)")
                           .arg(action, assignments.first().origin));
}

void EditingArguments::requireAssignments() const
{
    if (assignments.isEmpty())
        throw EZfError(QStringLiteral("Nessun COLONNA=valore da scrivere (argomenti o --file)"));
}

QString EditingArguments::keyCode() const
{
    if (key.isEmpty())
        throw EZfError(QStringLiteral("Manca --cf CODICEFISCALE[/MESE]"));
    return key.section(u'/', 0, 0).trimmed();
}

QString EditingArguments::keyMonth() const
{
    if (!key.contains(u'/'))
        return QString();
    const QString month = key.section(u'/', 1).trimmed();
    bool ok = false;
    const int number = month.toInt(&ok);
    if (!ok || month.size() != 2 || number < 0 || number > 12)
        throw EZfError(QStringLiteral("Mese non valido in --cf %1: usare due cifre da 00 a 12").arg(key));
    return month;
}

std::optional<Assignment> parseAssignment(const QString& text, const QString& origin)
{
    const QString line = text.trimmed();
    if (line.isEmpty() || line.startsWith(u'#'))
        return std::nullopt;
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        throw EZfError(QStringLiteral("Atteso COLONNA=valore in %1: \"%2\"").arg(origin, line));
    return Assignment{line.left(equals).trimmed().toUpper(), line.mid(equals + 1).trimmed(), origin};
}

QVector<Assignment> readAssignmentFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere il file %1: %2").arg(path, file.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(file.readAll());
    if (utf8.hasError())
        throw EZfError(QStringLiteral("Il file %1 non è in UTF-8").arg(path));
    QVector<Assignment> assignments;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        if (const auto assignment =
                parseAssignment(lines[i], QStringLiteral("%1 riga %2").arg(path).arg(i + 1)))
            assignments.append(*assignment);
    return assignments;
}

EditingInstallation::EditingInstallation(const EditingArguments& arguments)
    : m_folders(arguments.folders),
      m_op(arguments.yes ? TerminalOperator::Policy::AnswerYes : TerminalOperator::Policy::Interactive),
      m_installation(
          std::make_unique<OpenInstallation>(m_folders, arguments.connection, arguments.year, m_op)),
      m_schema(CertificateSchema::loadInstalled(m_folders)),
      m_certificates(std::make_unique<CertificateStore>(*m_installation->context().store, m_schema))
{
}

void applyAssignments(TableEditing& editing, const QVector<Assignment>& assignments, Operator& op)
{
    for (const Assignment& assignment : assignments) {
        const ColumnSchema& column = editing.column(assignment.column);
        editing.setText(column.name, assignment.value);
        const QString defect = fieldDefect(column, assignment.value);
        if (!defect.isEmpty())
            op.warning(QStringLiteral("%1: %2").arg(column.name, defect));
    }
}

void printRow(QTextStream& out, const TableEditing& editing, bool all)
{
    const Dataset& rows = editing.rows();
    for (const ColumnSchema& column : editing.table().columns) {
        const QString text =
            rows.recNo() < 0 ? QString() : columntext::display(column, rows.value(column.name));
        if (all || !text.isEmpty())
            out << column.name << u'=' << text << '\n';
    }
}

QString commonOptionsHelp()
{
    return QStringLiteral("  --anno A        anno finanziario (%1 o %2, predefinito %3)\n"
                          "  --yes           risponde Si' alle domande (altrimenti chieste sul terminale)\n")
               .arg(WorkingYear::Earliest)
               .arg(WorkingYear::Latest)
               .arg(WorkingYear::Default) +
           ConnectionSettings::commandLineHelp();
}

int runEditing(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const PrintedLock& lock) {
        throw EZfError(
            lock.message() +
            QStringLiteral(
                ": prima renderlo modificabile con \"modellocu stato --cf CF/MM --modificabile\""));
    }
}

} // namespace cu::cli
