// The road from the field-value store to the outputs, on one engine: a fresh
// test database with the store installed from the build tree's schema file,
// an installation in a temporary folder holding the build tree's resources
// (layouts, models, lookup tables), the store and the context that the
// telematic file and the prints are given in the program, and a sample
// supply written through the certificate store as the editor writes it: the
// withholding agent, the supplier, the CT form, three certificates with
// awkward amounts and names, an INPS row and annotation rows.
#pragma once

#include "certificates/CertificateSchema.h"
#include "certificates/editing/PrintedLock.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/AppContext.h"
#include "foundation/operator/ScriptedOperator.h"
#include "support/TestDatabases.h"
#include "support/TestInstallation.h"

#include <QDate>
#include <QStringList>
#include <QVariantMap>
#include <QVector>
#include <memory>

namespace cu {
class CertificateStore;
class HlmDBCds;
} // namespace cu

namespace cu::test {

// What a call refused with: its message, "(bloccato)" for the printed lock,
// "(silenzioso)" for a silent stop; empty when it went through.
template <typename Call> QString refusal(Call call)
{
    try {
        call();
    } catch (const PrintedLock&) {
        return QStringLiteral("(bloccato)");
    } catch (const EAbort&) {
        return QStringLiteral("(silenzioso)");
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
}

// One certificate of the sample supply, with the amounts as they are stored.
struct SampleCertificate
{
    QString fiscalCode;
    QString surname;
    QString name;
    QString sex;
    QDate birth;
    QVariantMap values; // further columns of TCUD_DATICUD
};

namespace sample {

inline const QString AgentCode = QStringLiteral("80012345676");
inline const QString AgentName = QStringLiteral("ISTITUTO COMPRENSIVO D'ANNUNZIO");
inline const QString SupplierCode = QStringLiteral("01234567897");
inline const QDate CommitmentDate = QDate(2025, 2, 28);
inline const QString Signature = QStringLiteral("MARIO ROSSI");

// In the order of their fiscal codes (the file's order): BIANCHI, DELL'ACQUA, ROSSI.
const QVector<SampleCertificate>& certificates();
const SampleCertificate& bianchi();   // 0.01; a stored annotation row its text no longer has
const SampleCertificate& dellAcqua(); // 1234567.89 and 0.01; annotations AA and AB, stored alike
const SampleCertificate& rossi();     // 99.995 and 21.4449; one INPS row of 2000.5

inline const QString InpsRegistration = QStringLiteral("1234567890");

} // namespace sample

class StoreFlow
{
public:
    explicit StoreFlow(const QString& engine);
    ~StoreFlow();
    StoreFlow(const StoreFlow&) = delete;
    StoreFlow& operator=(const StoreFlow&) = delete;

    const TestDatabase& database() const { return m_database; }

    // Connects to the database and installs the store with the installation's
    // schema file.
    // Raises the database's error when any of it fails.
    void install();

    Connection& connection() { return *m_connection; }
    HlmDBCds& store() { return *m_store; }
    CertificateStore& certificates() { return *m_certificates; }
    const CertificateSchema& schema() const { return *m_schema; }
    const Folders& folders() const { return m_context.folders; }
    AppContext& context() { return m_context; }
    ScriptedOperator& op() { return m_op; }

    // The first (only) row of a table without persons (agent, supplier, CT
    // form), created with its flags at "0" when missing, given the values
    // and saved.
    void writeSingleRow(const QString& table, const QVariantMap& values);
    // A new certificate of month 12 with its flags at their starting values;
    // returns its person id.
    qint64 writeCertificate(const SampleCertificate& certificate);
    // A new section row linked to the certificate of the fiscal code.
    void writeSectionRow(const QString& table, const QString& fiscalCode, const QVariantMap& values);
    // The whole sample supply.
    void writeSampleSupply();

    // The person id of the certificate of a fiscal code (0 when none).
    qint64 personOf(const QString& fiscalCode);
    // Every row of a table read back through the store, as
    // "COLUMN=value|..." of the non-empty values (amounts with four
    // decimals, dates ISO), without the columns named in leftOut, sorted.
    QStringList dumpTable(const QString& table, const QStringList& leftOut = {});
    // The annotation codes stored for a person, one "AA,AB" text per row, sorted.
    QStringList annotationRows(qint64 person);

private:
    TestDatabase m_database;
    TestInstallation m_installation;
    ScriptedOperator m_op;
    HlmQueryText m_catalogue;
    AppContext m_context;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<CertificateSchema> m_schema;
    std::unique_ptr<HlmDBCds> m_store;
    std::unique_ptr<CertificateStore> m_certificates;
};

} // namespace cu::test
