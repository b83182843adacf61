// The steps of the file production: choice, checks, field list, records
// A B Z, packing and the writing of the files.
#include "telematic/TelematicProduction.h"

#include "certificates/CtForm.h"
#include "certificates/checks/CheckData.h"
#include "foundation/database/Connection.h"
#include "foundation/database/JobLock.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "store/HlmDBCds.h"
#include "telematic/ProducerSetting.h"
#include "telematic/SupplySplit.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"
#include "telematic/layouts/FileText.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/CertificateRecords.h"
#include "telematic/records/CertificateSelection.h"
#include "telematic/records/CompanyRegistration.h"
#include "telematic/records/RecordPacker.h"
#include "telematic/records/SupplyRecords.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <memory>
#include <vector>

namespace cu {

namespace {

constexpr int HeadRows = 11;
constexpr int LineLengthWithControl = 1898;

struct AgentColumn
{
    const char* column;
    const char* label;
};

const AgentColumn RequiredAgentColumns[] = {
    {"SSOSDENOM", "   Denominazione, "},
    {"SSOSCFRAPPR", "   Codice Fiscale Rappresentante, "},
    {"SCARCODICE", "   Codice Carica Rappresentante,"},
    {"SSOSCOGNRAPPR", "   Cognome Rappresentante, "},
    {"SSOSNOMERAPPR", "   Nome Rappresentante, "},
    {"SSOSFIRMACOM", "   Firma della comunicazione, "},
};

bool isBlank(const Dataset& dataset, const char* column)
{
    const int field = dataset.fieldIndex(QString::fromLatin1(column));
    return field < 0 || dataset.recNo() < 0 || dataset.value(field).toString().trimmed().isEmpty();
}

void refuse(const QString& message)
{
    throw EZfError(message);
}

void requireLineLength(const QString& line, const QString& letter)
{
    if (line.size() != LineLengthWithControl)
        throw EZfError(
            QStringLiteral("Il tracciato del record %1 produce una riga di %2 caratteri invece di %3")
                .arg(letter)
                .arg(line.size())
                .arg(LineLengthWithControl));
}

} // namespace

// One file of the supply, written under a temporary name beside its final one.
class PendingFile
{
public:
    explicit PendingFile(const QString& finalName)
        : m_finalName(finalName), m_temp(finalName + QStringLiteral(".XXXXXX.tmp"))
    {
        if (!m_temp.open())
            throw EZfError(
                QStringLiteral("Impossibile creare il file %1: cartella protetta da scrittura o disco pieno")
                    .arg(finalName));
    }

    void writeLine(const QString& line)
    {
        m_buffer += text::fileBytes(line);
        m_buffer += "\r\n";
        if (m_buffer.size() > (1 << 20))
            flush();
    }

    void finish()
    {
        flush();
        m_temp.close();
        if (m_temp.error() != QFileDevice::NoError)
            throw EZfError(QStringLiteral("Errore di scrittura del file %1: disco pieno o non scrivibile")
                               .arg(m_finalName));
    }

    const QString& finalName() const { return m_finalName; }
    QString temporaryName() const { return m_temp.fileName(); }

    // The file takes its final name in one step, replacing the previous
    // file only when it is in place.
    void moveIntoPlace()
    {
        std::error_code failure;
        std::filesystem::rename(QFile::encodeName(m_temp.fileName()).toStdString(),
                                QFile::encodeName(m_finalName).toStdString(), failure);
        if (failure)
            throw EZfError(QStringLiteral("Impossibile sostituire il file %1").arg(m_finalName));
        m_temp.setAutoRemove(false);
    }

private:
    void flush()
    {
        if (m_buffer.isEmpty())
            return;
        if (m_temp.write(m_buffer) != m_buffer.size())
            throw EZfError(QStringLiteral("Errore di scrittura del file %1: disco pieno o non scrivibile")
                               .arg(m_finalName));
        m_buffer.clear();
    }

    QString m_finalName;
    QTemporaryFile m_temp;
    QByteArray m_buffer;
};

TelematicProduction::TelematicProduction(const Folders& folders, Operator& op, HlmDBCds* store)
    : m_folders(folders), m_op(op), m_store(store)
{
}

void TelematicProduction::load()
{
    if (m_store)
        m_data.load(*m_store);
}

void TelematicProduction::loadSnapshot(Connection& connection)
{
    Transaction snapshot(connection, TransactionKind::ReadSnapshot);
    load();
    snapshot.commit();
}

QString TelematicProduction::defaultFileName(const Folders& folders)
{
    return folders.dichCU() + supplyCode();
}

void TelematicProduction::requireOutputPath(const QString& chosenName)
{
    if (chosenName.trimmed().isEmpty())
        throw EZfError(QStringLiteral("Nome del file telematico mancante"));
    const QFileInfo file(chosenName);
    if (file.isDir())
        throw EZfError(
            QStringLiteral("%1 è una cartella: indicare il nome del file telematico").arg(chosenName));
    if (!QFileInfo(file.absolutePath()).isDir())
        throw EZfError(
            QStringLiteral("La cartella %1 non esiste: il file telematico %2 non può esservi scritto")
                .arg(file.absolutePath(), chosenName));
}

QString TelematicProduction::fileNameOf(const QString& chosenName, int index)
{
    return index == 1 ? chosenName : chosenName + u'_' + QString::number(index);
}

bool TelematicProduction::canChooseCertificates()
{
    const Dataset& dip = m_data.dip();
    if (dip.isActive() && !dip.isEmpty())
        return true;
    m_op.information(QStringLiteral("Non sono presenti percipienti per il modello scelto"));
    return false;
}

QVector<int> TelematicProduction::choose(const TelematicOptions& options)
{
    QVector<int> positions;
    Dataset& dip = m_data.dip();
    if (!options.order.isEmpty())
        m_data.orderCertificates(options.order);
    if (options.choice == TelematicOptions::Choice::None || !dip.isActive())
        return positions;
    if (options.choice == TelematicOptions::Choice::Selected && !canChooseCertificates())
        return positions;
    QSet<QString> wanted;
    for (const QString& item : options.selected)
        wanted.insert(item.trimmed().toUpper());
    QSet<QString> found;
    for (int position = 0; position < dip.recordCount(); ++position) {
        dip.setRecNo(position);
        if (options.choice == TelematicOptions::Choice::All) {
            positions.append(position);
            continue;
        }
        const QString code = dip.asString(u"SCUDCODFIS").trimmed().toUpper();
        const QString withMonth = code + u'/' + dip.asString(u"SCUDMESE").trimmed();
        for (const QString& key : {code, withMonth}) {
            if (wanted.contains(key)) {
                found.insert(key);
                positions.append(position);
                break;
            }
        }
    }
    for (const QString& key : wanted)
        if (!found.contains(key))
            throw EZfError(QStringLiteral("Certificazione non trovata: ") + key);
    return positions;
}

QStringList TelematicProduction::checkMessages(const QVector<int>& positions)
{
    QStringList lines;
    QStringList agent;
    for (Dataset* dataset : {&m_data.sost(), &m_data.forn(), &m_data.quadroCT()})
        if (dataset->isActive() && !dataset->isEmpty()) {
            dataset->first();
            checkFiscalCodes(agent, *dataset);
        }
    if (!agent.isEmpty())
        lines << QStringLiteral("Sostituto d'imposta, fornitore e quadro CT:") << agent;

    CertificateSelection selection(m_data, m_folders);
    selection.prepare();
    Dataset& dip = m_data.dip();
    for (int position : positions) {
        selection.select(position, false);
        QStringList messages;
        QVector<const Dataset*> rows{&dip};
        RowCursor& family = selection.requireCursor(u"cdsConFamCar");
        family.first();
        if (Dataset* familyRow = family.current())
            rows.append(familyRow);
        checkData(messages, rows, int(rows.size()) - 1);
        checkRecipient(messages, dip);
        checkFiscalCodes(messages, dip);
        for (const QString& name : TelematicData::personSectionNames()) {
            RowCursor& sectionRows = selection.requireCursor(name);
            for (sectionRows.first(); !sectionRows.eof(); sectionRows.next())
                checkFiscalCodes(messages, *sectionRows.current());
        }
        dip.setRecNo(position);
        if (!messages.isEmpty())
            lines << QStringLiteral("Dipendente: ") + dip.asString(u"SCUDCOGNOME") + u' ' +
                         dip.asString(u"SCUDNOME")
                  << messages;
    }
    return lines;
}

bool TelematicProduction::checkCertificates(const QVector<int>& positions)
{
    const QStringList lines = checkMessages(positions);
    if (lines.isEmpty())
        return true;
    const bool goOn = m_op.showInfo(QStringLiteral("Informazioni"), lines.join(u'\n'),
                                    QStringLiteral("Si desidera proseguire?"));
    if (!goOn)
        addLog(QStringLiteral("Generazione file telematico terminata dall'utente"));
    return goOn;
}

void TelematicProduction::refuseMissingSupplierOrAgent()
{
    Dataset& forn = m_data.forn();
    if (m_store)
        m_store->open(forn, TelematicData::tableOf(QStringLiteral("cdsForn")));
    if (!forn.isActive() || forn.isEmpty())
        refuse(QStringLiteral("Dati del fornitore mancanti, impossibile procedere!"));
    forn.first();
    if (isBlank(forn, "STFOCODICE"))
        refuse(QStringLiteral("Tipo fornitore mancante, impossibile procedere!"));
    if (isBlank(forn, "SFORCODFIS"))
        refuse(QStringLiteral("Codice fiscale fornitore mancante, impossibile procedere!"));

    Dataset& sost = m_data.sost();
    if (m_store)
        m_store->open(sost, TelematicData::tableOf(QStringLiteral("cdsSost")));
    if (!sost.isActive() || sost.isEmpty())
        refuse(QStringLiteral("Dati del sostituto mancanti, impossibile procedere!"));
    sost.first();
    QString missing;
    for (const AgentColumn& c : RequiredAgentColumns)
        if (isBlank(sost, c.column))
            missing += QString::fromLatin1(c.label);
    if (!missing.isEmpty())
        refuse(QStringLiteral("Dati mancanti del sostituto : ") + missing +
               QStringLiteral(" impossibile procedere!"));
    m_producer = producerFiscalCode(m_folders);
}

void TelematicProduction::createFieldList(const QVector<int>& positions)
{
    // Records D, G and H each visit every chosen certificate once.
    const int visits = 3 * int(positions.size());
    m_op.beginProgress(QStringLiteral("Creazione file telematico"), visits);
    try {
        writeFieldList(positions);
        m_op.endProgress();
    } catch (const EAbort&) {
        m_succeeded = false;
        m_op.endProgress();
        addLog(QStringLiteral("Generazione file telematico annullata dall'utente"));
        throw;
    } catch (const Error& e) {
        m_succeeded = false;
        m_op.endProgress();
        addLog(QStringLiteral("***** ") + e.message());
        m_op.error(QStringLiteral("Operazione terminata con errore"));
        throw EAbort();
    }
}

void TelematicProduction::writeFieldList(const QVector<int>& positions)
{
    m_succeeded = true;
    refuseMissingSupplierOrAgent();
    addLog(QStringLiteral("ATTENDERE... Pulitura del file in corso..."));
    m_fields.clear();
    m_records.clear();
    m_ctPresent = false;
    m_countG = 0;
    m_countH = 0;

    CertificateSelection selection(m_data, m_folders,
                                   [this](qint64 person, int month, const QVector<QStringList>& rows) {
                                       writeAnnotations(person, month, rows);
                                   });
    selection.prepare();
    int visited = 0;
    selection.setVisitor([this, &visited] { showProgress(visited); });
    RecordWriterContext context{m_data,
                                selection,
                                m_fields,
                                m_folders,
                                [this](const QString& line) { addLog(line); },
                                m_companyRegistration,
                                m_limits};
    m_ctPresent = isCtFormPresent(m_data.quadroCT());
    if (m_ctPresent)
        writeRecordsC(context);
    writeRecordsD(context, positions);
    m_countG = writeRecordsG(context, positions).written;
    m_countH = writeRecordsH(context, positions);
    m_fields.save(FieldList::pathIn(m_folders));
    m_records.save(RecordList::pathIn(m_folders));
    addLog(QStringLiteral("Operazione terminata con successo."));
}

// One certificate visited: the progress shows its person; the operator's
// cancel stops the creation between two certificates.
void TelematicProduction::showProgress(int& visited)
{
    const Dataset& dip = m_data.dip();
    m_op.setProgress(++visited, dip.asString(u"SCUDCOGNOME") + u' ' + dip.asString(u"SCUDNOME"));
    if (m_op.wasAborted())
        throw EAbort();
}

void TelematicProduction::buildRecords()
{
    const QString lineA = writeRecordA(loadRecordA(m_folders), m_data.forn(), m_op);
    requireLineLength(lineA, QStringLiteral("A"));
    m_records.append({QStringLiteral("A"), lineA, QString(), std::nullopt});
    const QString lineB = writeRecordB(loadRecordB(m_folders), m_data.sost(), m_ctPresent, m_producer, m_op);
    requireLineLength(lineB, QStringLiteral("B"));
    m_records.append({QStringLiteral("B"), lineB, QString(), std::nullopt});
    if (!m_fields.dataset().isEmpty()) {
        RecordPacker packer(m_fields, m_records);
        for (const char* letter : {"C", "D", "G", "H"})
            packer.packRecords(QString::fromLatin1(letter), HeadRows);
    }
    const QString lineZ = writeRecordZ(loadRecordZ(m_folders), m_op);
    requireLineLength(lineZ, QStringLiteral("Z"));
    m_records.append({QStringLiteral("Z"), lineZ, QString(), std::nullopt});
}

void TelematicProduction::requireCreation() const
{
    if (!m_succeeded)
        throw EZfError(QStringLiteral("Dati obbligatori mancanti, impossibile creare il file!"));
}

QStringList TelematicProduction::save(const QString& chosenName)
{
    requireCreation();
    QDir().mkpath(QFileInfo(chosenName).absolutePath());
    m_records.clear();
    buildRecords();
    m_records.save(RecordList::pathIn(m_folders));
    const QStringList files = writeFiles(chosenName);
    m_op.warning(QStringLiteral("Generazione file completata con successo. Il file è presente in:\n\r") +
                 chosenName);
    return files;
}

QStringList TelematicProduction::writeFiles(const QString& chosenName)
{
    QVector<RecordList::LinePlace> lines = m_records.lineOrder();
    lines.removeIf([](const RecordList::LinePlace& line) { return !line.numbered; });
    QVector<int> certificateOfLine;
    certificateOfLine.reserve(lines.size());
    for (const RecordList::LinePlace& line : lines)
        certificateOfLine.append(line.certificate.value_or(0));
    const QVector<Supply> supplies = divideIntoSupplies(certificateOfLine, m_limits);
    int fileCount = 0;
    for (const Supply& supply : supplies)
        fileCount += int(supply.files.size());
    if (fileCount > 1)
        m_op.warning(
            QStringLiteral("ATTENZIONE. La fornitura supera il limite previsto,\n\rVerranno generati più "
                           "file telematici."));
    const RecordLayout layoutA = loadRecordA(m_folders);
    const RecordLayout layoutB = loadRecordB(m_folders);
    const RecordLayout layoutZ = loadRecordZ(m_folders);
    const QString lineA = m_records.storedLine(QStringLiteral("A"));
    const QString lineB = m_records.storedLine(QStringLiteral("B"));
    const QString lineZ = m_records.storedLine(QStringLiteral("Z"));

    // The certificates of a supply written as G and those written as H.
    const auto certificatesAs = [&](const Supply& supply, QChar letter) {
        int count = 0;
        int last = -1;
        for (int line : supply.lines)
            if (lines[line].letter.at(0) == letter && certificateOfLine[line] != last) {
                last = certificateOfLine[line];
                ++count;
            }
        return count;
    };

    std::vector<std::unique_ptr<PendingFile>> pending;
    QStringList names;
    QStringList supplyLog;
    for (const Supply& supply : supplies) {
        const int certificates = certificatesAs(supply, u'G') + certificatesAs(supply, u'H');
        const QString supplyB = patchRecordB(layoutB, lineB, certificates, 0);
        const int files = int(supply.files.size());
        for (int file = 1; file <= files; ++file) {
            names.append(fileNameOf(chosenName, int(names.size()) + 1));
            pending.push_back(std::make_unique<PendingFile>(names.last()));
            PendingFile& out = *pending.back();
            out.writeLine(patchRecordA(layoutA, lineA, files == 1 ? 0 : files, files == 1 ? 0 : file));
            out.writeLine(supplyB);
            QHash<QChar, int> counts{{u'B', 1}};
            const SupplyPart& part = supply.files[file - 1];
            for (int i = part.first; i < part.first + part.count; ++i) {
                const RecordList::LinePlace& line = lines[supply.lines[i]];
                out.writeLine(m_records.recordAt(line.row));
                ++counts[line.letter.at(0)];
            }
            out.writeLine(patchRecordZ(layoutZ, lineZ, counts));
            out.finish();
        }
        supplyLog.append(QStringLiteral("Fornitura %1: %2 certificazioni, file %3")
                             .arg(supplyLog.size() + 1)
                             .arg(certificates)
                             .arg(names.mid(names.size() - files).join(QStringLiteral(", "))));
    }
    refuseDefectiveFiles(pending);
    for (auto& file : pending)
        file->moveIntoPlace();
    removeFurtherFiles(chosenName, int(names.size()));
    for (const QString& line : supplyLog)
        addLog(line);
    addLog(QStringLiteral("Forniture scritte: %1, file scritti: %2").arg(supplies.size()).arg(names.size()));
    storeCertificateCount(m_countG + m_countH);
    return names;
}

// Every file of every supply is verified before any takes its final name:
// one that fails leaves the previous production's files as they were.
void TelematicProduction::refuseDefectiveFiles(const std::vector<std::unique_ptr<PendingFile>>& pending)
{
    constexpr int FindingsShown = 20;
    const FileLayouts layouts(m_folders);
    const TelematicVerifier verifier(layouts, FindingsShown);
    for (const auto& file : pending) {
        const VerifyReport report = verifier.verify(file->temporaryName());
        if (report.ok()) {
            addLog(QStringLiteral("Controllo del file %1: %2 righe, nessun difetto")
                       .arg(file->finalName())
                       .arg(report.lines));
            continue;
        }
        QStringList message{
            QStringLiteral("Il file %1 non supera il controllo (%2 difetti): nessun file è stato scritto, "
                           "i file precedenti restano invariati.")
                .arg(file->finalName())
                .arg(report.defectCount)};
        message += report.defects;
        if (report.defectCount > report.defects.size())
            message +=
                QStringLiteral("... e altri %1 difetti").arg(report.defectCount - report.defects.size());
        throw EZfError(message.join(u'\n'));
    }
}

// The files numbered past the new production's last one belong to an
// earlier, larger production: they go, so that the folder never holds
// supplies of two productions.
void TelematicProduction::removeFurtherFiles(const QString& chosenName, int written)
{
    for (int index = written + 1;; ++index) {
        const QString further = fileNameOf(chosenName, index);
        if (!QFileInfo(further).isFile())
            return;
        if (!QFile::remove(further))
            throw EZfError(
                QStringLiteral("Impossibile eliminare il file %1 della produzione precedente").arg(further));
        addLog(QStringLiteral("Eliminato il file %1 della produzione precedente").arg(further));
    }
}

void TelematicProduction::storeCertificateCount(int certificates)
{
    if (!m_store) {
        Dataset& sost = m_data.sost();
        if (sost.isActive() && !sost.isEmpty() && sost.hasField(u"ISOSNDIP")) {
            sost.first();
            sost.edit();
            sost.setValue(u"ISOSNDIP", qint64(certificates));
            sost.post();
        }
        return;
    }
    Dataset agent;
    const QString table = TelematicData::tableOf(QStringLiteral("cdsSost"));
    m_store->open(agent, table);
    if (agent.isEmpty())
        return;
    agent.first();
    agent.edit();
    agent.setValue(u"ISOSNDIP", qint64(certificates));
    agent.post();
    m_store->save(agent, table);
}

void TelematicProduction::writeAnnotations(qint64 person, int month, const QVector<QStringList>& rows)
{
    if (!m_store)
        return;
    const QString table = TelematicData::tableOf(QStringLiteral("cdsAnnotazioni"));
    const QString fiscalCode = m_data.dip().asString(u"SCUDCODFIS");
    Dataset annotations;
    m_store->open(annotations, table, int(person), month, m_store->year());
    while (!annotations.isEmpty()) {
        annotations.first();
        annotations.remove();
    }
    for (const QStringList& row : rows) {
        annotations.append();
        annotations.setValue(u"IAFIID", person);
        annotations.setValue(u"SCUDCODFIS", fiscalCode);
        for (int slot = 0; slot < row.size(); ++slot)
            annotations.setValue(QStringLiteral("SANN7%1").arg(slot + 1, 2, 10, QLatin1Char('0')), row[slot]);
        annotations.post();
    }
    m_store->save(annotations, table, month, m_store->year());
}

void TelematicProduction::addLog(const QString& line)
{
    m_log.append(line);
    if (m_logSink)
        m_logSink(line);
}

TelematicResult produceTelematicFile(AppContext& context, const TelematicOptions& options)
{
    const JobLock lock(*context.connection, context.workingYear, JobLock::Job::TelematicFile);
    TelematicProduction production(context.folders, context.requireOperator(), context.store);
    production.setCompanyRegistration(companyRegistrationLookup(context));
    production.setLogSink(options.log);
    production.loadSnapshot(*context.connection);
    const QVector<int> positions = production.choose(options);
    if (!production.checkCertificates(positions))
        throw EAbort();
    production.createFieldList(positions);
    const QString chosen = options.outputPath.isEmpty()
                               ? TelematicProduction::defaultFileName(context.folders)
                               : options.outputPath;
    TelematicResult result;
    result.files = production.save(chosen);
    result.certificates = production.certificatesG() + production.certificatesH();
    result.log = production.log();
    return result;
}

} // namespace cu
