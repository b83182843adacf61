// Selection, output files and printed marks of the certificate print.
#include "printing/CertificatePrint.h"

#include "foundation/database/Connection.h"
#include "foundation/database/JobLock.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "printing/CertificateRun.h"
#include "printing/LayoutFiles.h"
#include "printing/OutputName.h"
#include "printing/PrintFont.h"
#include "printing/PrintTables.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <memory>

namespace cu {

// Shows progress on the operator, one step per certificate, when a run has
// more than one, and ends it however the run ends. The operator's cancel is
// seen at the next step and before a file is saved.
class CertificatePrint::Progress
{
public:
    Progress(Operator& op, int total) : m_op(op), m_shown(total > 1)
    {
        if (m_shown)
            m_op.beginProgress(QStringLiteral("Stampa certificazioni"), total);
    }
    ~Progress()
    {
        if (m_shown)
            m_op.endProgress();
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void step(const QString& person)
    {
        checkAborted();
        if (m_shown)
            m_op.setProgress(m_done++, person);
    }
    void checkAborted() const
    {
        if (m_shown && m_op.wasAborted())
            throw EAbort();
    }

private:
    Operator& m_op;
    bool m_shown;
    int m_done = 0;
};

namespace {

QSet<QString> loadNoteCodes(const Folders& folders, bool& loaded)
{
    QSet<QString> codes;
    loaded = false;
    const QString path = Folders::resolve(folders.tabelle(), QStringLiteral("TNOT_NOTE.cds"));
    if (!QFile::exists(path))
        return codes;
    Dataset notes;
    notes.loadFromFile(path);
    for (notes.first(); !notes.eof(); notes.next())
        codes.insert(notes.asString(u"CODICE").toUpper());
    loaded = true;
    return codes;
}

// "ROSSI_MARIO_RSSMRA80A01H501U": letters, digits and "_" only.
QString recipientFileName(const Dataset& list)
{
    QString name = list.asString(u"SCUDCOGNOME") + u'_' + list.asString(u"SCUDNOME") + u'_' +
                   list.asString(u"SCUDCODFIS");
    name = name.normalized(QString::NormalizationForm_KD);
    name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_ ]")));
    return name.simplified().replace(u' ', u'_');
}

} // namespace

CertificatePrint::CertificatePrint(const Folders& folders, PrintTables& tables, Operator& op, int workingYear)
    : m_folders(folders), m_tables(tables), m_op(op), m_workingYear(workingYear)
{
}

QString CertificatePrint::defaultOutputName(bool ordinary)
{
    return ordinary ? QStringLiteral("CU_Ordinario-2025") : QStringLiteral("CU-2025");
}

QVector<int> CertificatePrint::selection(const Dataset& list, const CertificatePrintOptions& options) const
{
    QVector<int> rows;
    if (options.all) {
        for (int i = 0; i < list.recordCount(); ++i)
            rows.append(i);
        return rows;
    }
    rows = options.selectedRows;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        if (row < 0 || row >= list.recordCount())
            throw EAssertion(QStringLiteral("Riga selezionata %1 inesistente").arg(row),
                             QStringLiteral("CertificatePrint"));
    return rows;
}

QString CertificatePrint::listOrder(const QString& column)
{
    const QString name = column.trimmed().toUpper();
    if (name == u"SCUDNOME")
        return QStringLiteral("SCUDNOME;SCUDCOGNOME;SCUDMESE");
    if (name == u"SCUDMESE")
        return QStringLiteral("SCUDMESE;SCUDCOGNOME;SCUDNOME");
    if (name == u"SCUDCODFIS")
        return QStringLiteral("SCUDCODFIS");
    return QStringLiteral("SCUDCOGNOME;SCUDNOME;SCUDMESE");
}

const QStringList& CertificatePrint::orderColumns()
{
    static const QStringList columns{QStringLiteral("SCUDCOGNOME"), QStringLiteral("SCUDNOME"),
                                     QStringLiteral("SCUDMESE"), QStringLiteral("SCUDCODFIS")};
    return columns;
}

QString CertificatePrint::print(Dataset& list, const CertificatePrintOptions& options)
{
    requireOutputName(options.outputName);
    const QVector<int> rows = selection(list, options);
    printfont::requireDrawableRows(list, rows);
    return printOutputs(list, {Output{rows, options.outputName}}, int(rows.size()), options).constFirst();
}

QStringList CertificatePrint::printPerRecipient(Dataset& list, const CertificatePrintOptions& options)
{
    QStringList order;
    QMap<QString, QVector<int>> byRecipient;
    const QVector<int> rows = selection(list, options);
    printfont::requireDrawableRows(list, rows);
    for (int row : rows) {
        list.setRecNo(row);
        const QString taxCode = list.asString(u"SCUDCODFIS");
        if (!byRecipient.contains(taxCode))
            order.append(taxCode);
        byRecipient[taxCode].append(row);
    }
    QVector<Output> outputs;
    for (const QString& taxCode : order) {
        const QVector<int>& recipientRows = byRecipient[taxCode];
        list.setRecNo(recipientRows.first());
        outputs.append({recipientRows, recipientFileName(list)});
    }
    return printOutputs(list, outputs, int(rows.size()), options);
}

// One progress over every output: a cancel stops before the next file is
// saved. The certificates of the files saved are marked together, also when
// the run ends early.
QStringList CertificatePrint::printOutputs(Dataset& list, const QVector<Output>& outputs, int certificates,
                                           const CertificatePrintOptions& options)
{
    Connection* connection = m_tables.connection();
    std::unique_ptr<JobLock> lock;
    if (connection)
        lock = std::make_unique<JobLock>(*connection, m_workingYear, JobLock::Job::CertificatePrint);
    Progress progress(m_op, certificates);
    QStringList files;
    QVector<int> printed;
    try {
        std::unique_ptr<Transaction> snapshot;
        if (connection)
            snapshot = std::make_unique<Transaction>(*connection, TransactionKind::ReadSnapshot);
        for (const Output& output : outputs) {
            files.append(printRows(list, output.rows, options, output.name, progress));
            printed += output.rows;
        }
        if (snapshot)
            snapshot->commit();
    } catch (const Error&) {
        markPrinted(list, printed);
        throw;
    }
    markPrinted(list, printed);
    return files;
}

QString CertificatePrint::printRows(Dataset& list, const QVector<int>& rows,
                                    const CertificatePrintOptions& options, const QString& outputName,
                                    Progress& progress)
{
    m_sections.loadMissing(m_tables);
    CertificateRunSettings settings;
    settings.ordinary = options.ordinary;
    settings.duplex = options.duplex;
    settings.signatureOmitted = options.signatureOmitted;
    settings.workingYear = m_workingYear;
    settings.templatePath = m_folders.res() + (options.ordinary ? QStringLiteral("CU2025_mod_ord.pdf")
                                                                : QStringLiteral("CU2025_mod.pdf"));
    settings.layout = options.ordinary ? LoadLayoutOrd(m_folders) : LoadLayout(m_folders);
    if (options.ordinary)
        settings.noteCodes = loadNoteCodes(m_folders, settings.noteCodesLoaded);

    CertificateRun run(std::move(settings), m_sections, m_tables, m_op);
    for (int row : rows) {
        list.setRecNo(row);
        progress.step(list.asString(u"SCUDCOGNOME") + u' ' + list.asString(u"SCUDNOME"));
        run.printCertificate(list);
    }
    progress.checkAborted();
    const QString path = m_folders.stp() + outputName + QStringLiteral(".pdf");
    run.save(path);
    if (message)
        message(QStringLiteral("File generato: ") + path);
    return path;
}

// Writes iCudStato = 1 for the printed certificates, each month's
// certificates saved under their own month, all in one transaction (every
// mark or none), then shows the marks in the list.
void CertificatePrint::markPrinted(Dataset& list, const QVector<int>& rows)
{
    if (rows.isEmpty())
        return;
    std::unique_ptr<Transaction> transaction;
    if (Connection* connection = m_tables.connection())
        transaction = std::make_unique<Transaction>(*connection);
    QMap<int, QVector<int>> byMonth;
    for (int row : rows) {
        list.setRecNo(row);
        byMonth[certificateMonth(list.asString(u"SCUDMESE"))].append(row);
    }
    const int state = list.requireField(u"ICUDSTATO");
    for (auto it = byMonth.begin(); it != byMonth.end(); ++it) {
        Dataset marks;
        marks.setFields(list.fields());
        marks.open();
        for (int row : it.value()) {
            list.setRecNo(row);
            marks.append();
            for (int f = 0; f < list.fieldCount(); ++f)
                marks.setValue(f, list.value(f));
            marks.post();
        }
        marks.mergeChangeLog();
        for (marks.first(); !marks.eof(); marks.next()) {
            marks.edit();
            marks.setValue(state, 1);
            marks.post();
        }
        m_tables.save(marks, QStringLiteral("TCUD_DATICUD"), it.key());
    }
    if (transaction)
        transaction->commit();
    for (int row : rows) {
        list.setRecNo(row);
        list.edit();
        list.setValue(state, 1);
        list.post();
    }
    list.mergeChangeLog();
}

} // namespace cu
