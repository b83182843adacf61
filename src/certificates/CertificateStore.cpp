// The certificate tables over the store.
#include "certificates/CertificateStore.h"

#include "certificates/CertificateKey.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"

namespace cu {

namespace {

int monthOfCurrent(const Dataset& certificates)
{
    return certificate::storeMonth(certificates.asString(u"SCUDMESE"));
}

// Shows the store's wait window while it lives.
class Wait
{
public:
    explicit Wait(HlmDBCds& store) : m_store(store) { m_store.showWait(); }
    ~Wait() { m_store.closeWait(); }
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;

private:
    HlmDBCds& m_store;
};

} // namespace

CertificateStore::CertificateStore(HlmDBCds& store, const CertificateSchema& schema)
    : m_store(store), m_schema(schema)
{
}

Connection& CertificateStore::connection() const
{
    return m_store.connection();
}

const TableSchema& CertificateStore::table(const QString& tableName) const
{
    const TableSchema* found = m_schema.table(tableName);
    if (!found)
        throw EAssertion(QStringLiteral("Tabella %1 assente dal file di schema.").arg(tableName),
                         QStringLiteral("CertificateStore"));
    return *found;
}

void CertificateStore::openTable(Dataset& dataset, const QString& tableName)
{
    m_store.open(dataset, tableName, -1, -1, m_store.year());
}

void CertificateStore::openCertificates(Dataset& certificates)
{
    openTable(certificates, certificate::Table);
    certificates.setIndexFieldNames(QStringLiteral("SCUDCOGNOME;SCUDNOME;SCUDMESE"));
    certificates.first();
}

void CertificateStore::openSection(Dataset& section, const QString& tableName, qint64 person)
{
    m_store.open(section, tableName, int(person), -1, m_store.year());
}

void CertificateStore::appendCertificate(Dataset& certificates, const QString& monthText, bool adjustment)
{
    certificates.append();
    initialiseFlags(certificates, table(certificate::Table));
    certificates.setValue(u"LCUDCOMPRENSIVO", QStringLiteral("X"));
    certificates.setValue(u"LCUDCONGUAGLIO", adjustment ? QStringLiteral("X") : QStringLiteral("0"));
    certificates.setValue(u"SCUDMESE", monthText);
}

void CertificateStore::appendSectionRow(Dataset& section, const QString& tableName)
{
    section.append();
    initialiseFlags(section, table(tableName));
}

void CertificateStore::linkToCertificate(Dataset& section, const Dataset& certificates)
{
    for (const auto name : {u"iAfiID", u"SCUDCODFIS", u"SCUDMESE"})
        section.setValue(name, certificates.value(name));
}

void CertificateStore::saveCertificate(Dataset& certificates)
{
    m_store.save(certificates, certificate::Table, monthOfCurrent(certificates), m_store.year());
}

void CertificateStore::removeCertificate(Dataset& certificates)
{
    const int month = monthOfCurrent(certificates);
    certificates.remove();
    m_store.save(certificates, certificate::Table, month, m_store.year());
}

void CertificateStore::saveSection(Dataset& section, const QString& tableName, const Dataset& certificates)
{
    m_store.save(section, tableName, monthOfCurrent(certificates), m_store.year());
}

bool CertificateStore::isPrinted(const Dataset& certificates)
{
    return certificates.asInteger(u"iCudStato") > 0;
}

void CertificateStore::setPrintedState(Dataset& certificates, int state)
{
    certificates.edit();
    certificates.setValue(u"iCudStato", state);
    certificates.post();
    saveCertificate(certificates);
}

int CertificateStore::updateSignatures(Dataset& certificates, const QString& signature)
{
    Wait wait(m_store);
    // A posted row may move within an order: walk the rows as they stand.
    const QString order = certificates.indexFieldNames();
    certificates.setIndexFieldNames(QString());
    int changed = 0;
    for (certificates.first(); !certificates.eof(); certificates.next()) {
        if (certificates.asString(u"SCUDDATIANAFIRMA") == signature)
            continue;
        certificates.edit();
        certificates.setValue(u"SCUDDATIANAFIRMA", signature);
        certificates.post();
        saveCertificate(certificates);
        ++changed;
    }
    certificates.setIndexFieldNames(order);
    certificates.first();
    return changed;
}

} // namespace cu
