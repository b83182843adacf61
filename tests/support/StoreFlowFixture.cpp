// A store on a test database with the sample supply, for the tests that
// follow the certificates from the store into the telematic file and the prints.
#include "support/StoreFlowFixture.h"

#include "certificates/CertificateStore.h"
#include "certificates/StoreInstaller.h"
#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "store/HlmDBCds.h"
#include "support/TestSupport.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace cu::test {

namespace {

QString personalCode(const QString& first15)
{
    return first15 + personalCodeCheckCharacter(first15);
}

} // namespace

namespace sample {

// clang-format off
const QVector<SampleCertificate>& certificates()
{
    static const QVector<SampleCertificate> all{
        {personalCode(u"BNCLCU82M10F205"_s), u"BIANCHI"_s, u"LUCA"_s, u"M"_s, QDate(1982, 8, 10), {{u"fCudReddDetr"_s, amount("0.01")}}},
        {personalCode(u"DLLNMR75C45H501"_s), u"DELL'ACQUA"_s, u"ANNA MARIA"_s, u"F"_s, QDate(1975, 3, 5),
         {{u"fCudReddDetr"_s, amount("1234567.89")}, {u"fCudRitIrpef"_s, amount("0.01")},
          {u"SCUDANNOTAZIONI"_s, u"AA) Redditi erogati da altri soggetti\r\nAB) Seconda annotazione"_s}}},
        {personalCode(u"RSSNCL80A01H501"_s), u"ROSSI"_s, u"NICOLÒ"_s, u"M"_s, QDate(1980, 1, 1),
         {{u"fCudReddDetr"_s, amount("99.995")}, {u"fCudRitIrpef"_s, amount("21.4449")}}}};
    return all;
}
// clang-format on

const SampleCertificate& bianchi()
{
    return certificates()[0];
}
const SampleCertificate& dellAcqua()
{
    return certificates()[1];
}
const SampleCertificate& rossi()
{
    return certificates()[2];
}

} // namespace sample

StoreFlow::StoreFlow(const QString& engine) : m_database(engine)
{
    m_context.folders = m_installation.folders();
}

StoreFlow::~StoreFlow()
{
    m_certificates.reset();
    m_store.reset();
    if (m_connection)
        m_connection->close();
}

void StoreFlow::install()
{
    m_connection = std::make_unique<Connection>();
    m_connection->open(m_database.params());
    m_schema = std::make_unique<CertificateSchema>(
        CertificateSchema::load(QDir(m_context.folders.res()).filePath(u"Schema/eli.xml"_s)));
    StoreInstaller::install(*m_connection, *m_schema);

    m_catalogue.Load(Folders(buildRoot()).etcKbr() + u"kbr_QueryText.cds"_s);
    m_catalogue.setEngine(m_connection->params().driver);
    m_store = std::make_unique<HlmDBCds>(*m_connection);
    setStoreYear(*m_store);
    m_store->setShowWait(false);
    m_certificates = std::make_unique<CertificateStore>(*m_store, *m_schema);

    m_context.connection = m_connection.get();
    m_context.catalogue = &m_catalogue;
    m_context.store = m_store.get();
    m_context.op = &m_op;
    m_context.workingYear = 2024;
}

void StoreFlow::writeSingleRow(const QString& table, const QVariantMap& values)
{
    Dataset row;
    m_store->open(row, table);
    if (row.isEmpty()) {
        m_certificates->appendSectionRow(row, table);
    } else {
        row.first();
        row.edit();
    }
    for (auto it = values.begin(); it != values.end(); ++it)
        row.setValue(it.key(), it.value());
    row.post();
    m_store->save(row, table);
}

qint64 StoreFlow::writeCertificate(const SampleCertificate& certificate)
{
    Dataset certificates;
    m_certificates->openCertificates(certificates);
    m_certificates->appendCertificate(certificates, u"12"_s, false);
    certificates.setValue(u"SCUDCODFIS", certificate.fiscalCode);
    certificates.setValue(u"SCUDCOGNOME", certificate.surname);
    certificates.setValue(u"SCUDNOME", certificate.name);
    certificates.setValue(u"SCUDSEX", certificate.sex);
    certificates.setValue(u"DCUDDATANAS", certificate.birth);
    certificates.setValue(u"SCUDCOMNAS", u"ROMA"_s);
    certificates.setValue(u"SCUDPROVNAS", u"RM"_s);
    certificates.setValue(u"SCUDDATIANAFIRMA", sample::Signature);
    for (auto it = certificate.values.begin(); it != certificate.values.end(); ++it)
        certificates.setValue(it.key(), it.value());
    certificates.post();
    m_certificates->saveCertificate(certificates);
    return personOf(certificate.fiscalCode);
}

void StoreFlow::writeSectionRow(const QString& table, const QString& fiscalCode, const QVariantMap& values)
{
    Dataset certificates;
    m_certificates->openCertificates(certificates);
    if (!certificates.locate(u"SCUDCODFIS"_s, {fiscalCode}))
        throw EZfError(u"Certificazione non trovata: "_s + fiscalCode);
    Dataset section;
    m_certificates->openSection(section, table, certificates.asInteger(u"iAfiID"));
    m_certificates->appendSectionRow(section, table);
    CertificateStore::linkToCertificate(section, certificates);
    for (auto it = values.begin(); it != values.end(); ++it)
        section.setValue(it.key(), it.value());
    section.post();
    m_certificates->saveSection(section, table, certificates);
}

void StoreFlow::writeSampleSupply()
{
    writeSingleRow(u"TCUS_DATISOST"_s, {{u"SSOSCODFIS"_s, sample::AgentCode},
                                        {u"SSOSDENOM"_s, sample::AgentName},
                                        {u"SSOSCOMUNE"_s, u"ROMA"_s},
                                        {u"SSOSPROV"_s, u"RM"_s},
                                        {u"SSOSCFRAPPR"_s, u"RSSMRA85T10A562S"_s},
                                        {u"SCARCODICE"_s, u"1"_s},
                                        {u"SSOSCOGNRAPPR"_s, u"ROSSI"_s},
                                        {u"SSOSNOMERAPPR"_s, u"MARIO"_s},
                                        {u"SSOSFIRMACOM"_s, sample::Signature},
                                        {u"LSOSDICHCONTRIB"_s, u"1"_s},
                                        {u"DSOSDTIMPEGNO"_s, sample::CommitmentDate}});
    writeSingleRow(u"TCFO_FORNITORE"_s,
                   {{u"SFORCODFIS"_s, sample::SupplierCode}, {u"STFOCODICE"_s, u"01"_s}});
    writeSingleRow(u"TCUCT_DATICT"_s, {{u"SCTCODFIS"_s, sample::AgentCode},
                                       {u"SCTCELL"_s, u"3331234567"_s},
                                       {u"SCTEMAIL"_s, u"segreteria@scuola.example.it"_s}});

    // Written in another order than the file's, so that the order comes from the store's reading.
    writeCertificate(sample::rossi());
    writeCertificate(sample::dellAcqua());
    writeCertificate(sample::bianchi());

    writeSectionRow(u"TCUDI_INPS"_s, sample::rossi().fiscalCode,
                    {{u"sCudMatrAzienda"_s, sample::InpsRegistration},
                     {u"LCUDENTEINPS"_s, u"X"_s},
                     {u"FCUDIMPONIBILE"_s, amount("2000.5")},
                     {u"LCUDGENNAIO"_s, u"X"_s},
                     {u"LCUDDICEMBRE"_s, u"X"_s}});
    writeSectionRow(u"TCUDA_ANNOTAZIONI"_s, sample::dellAcqua().fiscalCode,
                    {{u"SANN701"_s, u"AA"_s}, {u"SANN702"_s, u"AB"_s}});
    writeSectionRow(u"TCUDA_ANNOTAZIONI"_s, sample::bianchi().fiscalCode, {{u"SANN701"_s, u"AC"_s}});
}

qint64 StoreFlow::personOf(const QString& fiscalCode)
{
    Dataset certificates;
    m_certificates->openCertificates(certificates);
    if (!certificates.locate(u"SCUDCODFIS"_s, {fiscalCode}))
        return 0;
    return certificates.asInteger(u"iAfiID");
}

QStringList StoreFlow::dumpTable(const QString& table, const QStringList& leftOut)
{
    Dataset rows;
    m_store->open(rows, table);
    QStringList lines = rowLines(rows, leftOut);
    lines.sort();
    return lines;
}

QStringList StoreFlow::annotationRows(qint64 person)
{
    Dataset rows;
    m_certificates->openSection(rows, u"TCUDA_ANNOTAZIONI"_s, person);
    QStringList result;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList codes;
        for (int slot = 1; slot <= 54; ++slot) {
            const QString column = u"SANN7%1"_s.arg(slot, 2, 10, QLatin1Char('0'));
            if (rows.hasField(column) && !rows.asString(column).isEmpty())
                codes.append(rows.asString(column));
        }
        result.append(codes.join(u','));
    }
    result.sort();
    return result;
}

} // namespace cu::test
