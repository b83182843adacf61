// The production of the telematic file: choosing the certificates,
// checking their data, building the field list (records C, D, G, H) and,
// on saving, packing it into lines, building records A, B and Z and
// writing the file: several supplies past 99,999 certificates, a supply in
// several files when it is too large for one.
#pragma once

#include "telematic/SupplySplit.h"
#include "telematic/TelematicData.h"
#include "telematic/WorkingLists.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace cu {

class Connection;

struct AppContext;
class Folders;
class HlmDBCds;
class Operator;
class PendingFile;

struct TelematicOptions
{
    enum class Choice
    {
        All,
        Selected,
        None
    };
    Choice choice = Choice::All;
    // For Selected: fiscal codes ("RSSMRA85T10A562S") or fiscal code and
    // month ("RSSMRA85T10A562S/12").
    QStringList selected;
    // The column the certificates are numbered by (TelematicData::
    // orderColumns()); empty: SCUDCODFIS.
    QString order;
    // The chosen file name; empty: USR/FJ2024/DichCU/CUR25.
    QString outputPath;
    // Receives the production log line by line (also when it ends early).
    std::function<void(const QString&)> log;
};

struct TelematicResult
{
    QStringList files;    // the files written, in order
    int certificates = 0; // certificates written as G plus those written as H
    QStringList log;      // the production log
};

class TelematicProduction
{
public:
    // store may be null: the datasets are then filled by the caller and
    // nothing is written back to the store.
    TelematicProduction(const Folders& folders, Operator& op, HlmDBCds* store = nullptr);

    TelematicData& data() { return m_data; }
    FieldList& fieldList() { return m_fields; }
    RecordList& recordList() { return m_records; }
    const QStringList& log() const { return m_log; }
    bool creationSucceeded() const { return m_succeeded; }
    int certificatesG() const { return m_countG; }
    int certificatesH() const { return m_countH; }

    // Receives every line of the production log as it is written.
    void setLogSink(std::function<void(const QString&)> sink) { m_logSink = std::move(sink); }
    // Certificates of one supply and certificate lines of one file at most
    // (the agency's limits unless a test lowers them); set before the
    // field list is created.
    void setLimits(const SupplyLimits& limits) { m_limits = limits; }
    // The company registration number used when an INPS row has none.
    void setCompanyRegistration(std::function<QString()> lookup)
    {
        m_companyRegistration = std::move(lookup);
    }

    // Loads every table from the store.
    void load();
    // The same inside one read snapshot of the connection, so that the
    // tables agree with each other while other sessions commit.
    void loadSnapshot(Connection& connection);
    // The chosen certificates as positions in the certificate dataset, in
    // the order the options ask for. An unknown fiscal code is an EZfError
    // naming it.
    QVector<int> choose(const TelematicOptions& options);
    // Whether certificates can be chosen one by one ("su Prenotazione"):
    // false, after telling the operator, when there are none.
    bool canChooseCertificates();

    // Checks the chosen certificates; when anything is found, shows the list
    // and asks whether to go on. False when the operator refuses.
    bool checkCertificates(const QVector<int>& positions);
    // The check messages of the chosen certificates, grouped by person.
    QStringList checkMessages(const QVector<int>& positions);

    // "Crea File telematico", with the operator's progress over the
    // certificates: refusals and errors are logged, shown and raised as
    // EAbort; a cancel is logged and raised as EAbort. Either way nothing
    // can be saved and the working lists on disk stay as they were.
    void createFieldList(const QVector<int>& positions);
    // The wizard's page "Crea file" is entered: a creation must be made
    // (again) before the file can be saved.
    void clearCreation() { m_succeeded = false; }
    // "Salva" before a successful creation is an EZfError.
    void requireCreation() const;
    // "Salva": records A, B, packing, Z and the files of every supply;
    // returns their names, in order (the chosen name, then "_2", "_3" ...).
    // Every file is written and verified under a temporary name first: a
    // finding is an EZfError listing the findings, and then no file of the
    // previous production is replaced (all supplies or none).
    QStringList save(const QString& chosenName);

    // A chosen name the files can be written under: not empty, not a
    // folder, in a folder that exists; an EZfError naming it otherwise.
    static void requireOutputPath(const QString& chosenName);
    // The default chosen name: DichCU folder + "CUR25".
    static QString defaultFileName(const Folders& folders);
    // The name of file i (1-based) of a supply.
    static QString fileNameOf(const QString& chosenName, int index);

private:
    void refuseMissingSupplierOrAgent();
    void writeFieldList(const QVector<int>& positions);
    void showProgress(int& visited);
    void buildRecords();
    QStringList writeFiles(const QString& chosenName);
    void refuseDefectiveFiles(const std::vector<std::unique_ptr<PendingFile>>& pending);
    void removeFurtherFiles(const QString& chosenName, int written);
    void storeCertificateCount(int certificates);
    void writeAnnotations(qint64 person, int month, const QVector<QStringList>& rows);
    void addLog(const QString& line);

    const Folders& m_folders;
    Operator& m_op;
    HlmDBCds* m_store;
    TelematicData m_data;
    FieldList m_fields;
    RecordList m_records;
    QStringList m_log;
    std::function<QString()> m_companyRegistration;
    std::function<void(const QString&)> m_logSink;
    QString m_producer; // the software producer's fiscal code, from the installation's settings
    SupplyLimits m_limits;
    bool m_succeeded = false;
    bool m_ctPresent = false;
    int m_countG = 0;
    int m_countH = 0;
};

// Runs the whole production on an installation: loads the tables, checks
// (asking the operator), creates the field list and writes the files.
// A refusal is an EAbort after the operator was told.
TelematicResult produceTelematicFile(AppContext& context, const TelematicOptions& options);

} // namespace cu
