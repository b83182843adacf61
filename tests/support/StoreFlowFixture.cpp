// A store on a test database with the sample supply, for the tests that
// follow the certificates from the store into the telematic file and the prints.
#include "support/StoreFlowFixture.h"

#include "support/DatasetDump.h"

#include "certificates/CertificateStore.h"
#include "certificates/StoreInstaller.h"
#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "store/HlmDBCds.h"
#include "support/DatasetDump.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace cu::test {

namespace {

QVariant amount(const char* text)
{
    return QVariant::fromValue(*Currency::parse(QString::fromLatin1(text)));
}

QString personalCode(const QString& first15)
{
    return first15 + personalCodeCheckCharacter(first15);
}

SampleCertificate makeBianchi()
{
    return {personalCode(QStringLiteral("BNCLCU82M10F205")),
            QStringLiteral("BIANCHI"),
            QStringLiteral("LUCA"),
            QStringLiteral("M"),
            QDate(1982, 8, 10),
            {{QStringLiteral("fCudReddDetr"), amount("0.01")}}};
}

SampleCertificate makeDellAcqua()
{
    return {personalCode(QStringLiteral("DLLNMR75C45H501")),
            QStringLiteral("DELL'ACQUA"),
            QStringLiteral("ANNA MARIA"),
            QStringLiteral("F"),
            QDate(1975, 3, 5),
            {{QStringLiteral("fCudReddDetr"), amount("1234567.89")},
             {QStringLiteral("fCudRitIrpef"), amount("0.01")},
             {QStringLiteral("SCUDANNOTAZIONI"),
              QStringLiteral("AA) Redditi erogati da altri soggetti\r\nAB) Seconda annotazione")}}};
}

SampleCertificate makeRossi()
{
    return {personalCode(QStringLiteral("RSSNCL80A01H501")),
            QStringLiteral("ROSSI"),
            QStringLiteral("NICOLÒ"),
            QStringLiteral("M"),
            QDate(1980, 1, 1),
            {{QStringLiteral("fCudReddDetr"), amount("99.995")},
             {QStringLiteral("fCudRitIrpef"), amount("21.4449")}}};
}

// Copies every file below from into to, keeping the folders.
void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(source, target))
            throw EZfError(QStringLiteral("Impossibile copiare %1 in %2").arg(source, target));
    }
}


} // namespace

namespace sample {

const SampleCertificate& bianchi()
{
    static const SampleCertificate c = makeBianchi();
    return c;
}

const SampleCertificate& dellAcqua()
{
    static const SampleCertificate c = makeDellAcqua();
    return c;
}

const SampleCertificate& rossi()
{
    static const SampleCertificate c = makeRossi();
    return c;
}

const QVector<SampleCertificate>& certificates()
{
    static const QVector<SampleCertificate> all{bianchi(), dellAcqua(), rossi()};
    return all;
}

} // namespace sample

StoreFlow::StoreFlow(const QString& engine) : m_database(engine) {}

StoreFlow::~StoreFlow()
{
    m_certificates.reset();
    m_store.reset();
    if (m_connection)
        m_connection->close();
}

void StoreFlow::install()
{
    const Folders build(buildRoot());
    m_context.folders = Folders(m_root.path());
    copyTree(build.res(), m_context.folders.res());

    m_connection = std::make_unique<Connection>();
    m_connection->open(m_database.params());
    m_schema = std::make_unique<CertificateSchema>(
        CertificateSchema::load(QDir(m_context.folders.res()).filePath(QStringLiteral("Schema/eli.xml"))));
    StoreInstaller::install(*m_connection, *m_schema);

    m_catalogue.Load(QDir(build.etcKbr()).filePath(QStringLiteral("kbr_QueryText.cds")));
    m_catalogue.setEngine(m_connection->params().driver);
    m_store = std::make_unique<HlmDBCds>(*m_connection, m_op);
    m_store->setProgramme(QStringLiteral("eli"));
    m_store->setYear(2024);
    m_store->setMonth(-1);
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
    m_certificates->appendCertificate(certificates, QStringLiteral("12"), false);
    certificates.setValue(u"SCUDCODFIS", certificate.fiscalCode);
    certificates.setValue(u"SCUDCOGNOME", certificate.surname);
    certificates.setValue(u"SCUDNOME", certificate.name);
    certificates.setValue(u"SCUDSEX", certificate.sex);
    certificates.setValue(u"DCUDDATANAS", certificate.birth);
    certificates.setValue(u"SCUDCOMNAS", QStringLiteral("ROMA"));
    certificates.setValue(u"SCUDPROVNAS", QStringLiteral("RM"));
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
    if (!certificates.locate(QStringLiteral("SCUDCODFIS"), {fiscalCode}))
        throw EZfError(QStringLiteral("Certificazione non trovata: ") + fiscalCode);
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
    writeSingleRow(QStringLiteral("TCUS_DATISOST"),
                   {{QStringLiteral("SSOSCODFIS"), sample::AgentCode},
                    {QStringLiteral("SSOSDENOM"), sample::AgentName},
                    {QStringLiteral("SSOSCOMUNE"), QStringLiteral("ROMA")},
                    {QStringLiteral("SSOSPROV"), QStringLiteral("RM")},
                    {QStringLiteral("SSOSCFRAPPR"), QStringLiteral("RSSMRA85T10A562S")},
                    {QStringLiteral("SCARCODICE"), QStringLiteral("1")},
                    {QStringLiteral("SSOSCOGNRAPPR"), QStringLiteral("ROSSI")},
                    {QStringLiteral("SSOSNOMERAPPR"), QStringLiteral("MARIO")},
                    {QStringLiteral("SSOSFIRMACOM"), sample::Signature},
                    {QStringLiteral("LSOSDICHCONTRIB"), QStringLiteral("1")},
                    {QStringLiteral("DSOSDTIMPEGNO"), sample::CommitmentDate}});
    writeSingleRow(QStringLiteral("TCFO_FORNITORE"), {{QStringLiteral("SFORCODFIS"), sample::SupplierCode},
                                                      {QStringLiteral("STFOCODICE"), QStringLiteral("01")}});
    writeSingleRow(QStringLiteral("TCUCT_DATICT"),
                   {{QStringLiteral("SCTCODFIS"), sample::AgentCode},
                    {QStringLiteral("SCTCELL"), QStringLiteral("3331234567")},
                    {QStringLiteral("SCTEMAIL"), QStringLiteral("segreteria@scuola.example.it")}});

    // Written in another order than the file's, so that the order comes from the store's reading.
    writeCertificate(sample::rossi());
    writeCertificate(sample::dellAcqua());
    writeCertificate(sample::bianchi());

    writeSectionRow(QStringLiteral("TCUDI_INPS"), sample::rossi().fiscalCode,
                    {{QStringLiteral("sCudMatrAzienda"), sample::InpsRegistration},
                     {QStringLiteral("LCUDENTEINPS"), QStringLiteral("X")},
                     {QStringLiteral("FCUDIMPONIBILE"), amount("2000.5")},
                     {QStringLiteral("LCUDGENNAIO"), QStringLiteral("X")},
                     {QStringLiteral("LCUDDICEMBRE"), QStringLiteral("X")}});
    writeSectionRow(QStringLiteral("TCUDA_ANNOTAZIONI"), sample::dellAcqua().fiscalCode,
                    {{QStringLiteral("SANN701"), QStringLiteral("AA")},
                     {QStringLiteral("SANN702"), QStringLiteral("AB")}});
    writeSectionRow(QStringLiteral("TCUDA_ANNOTAZIONI"), sample::bianchi().fiscalCode,
                    {{QStringLiteral("SANN701"), QStringLiteral("AC")}});
}

qint64 StoreFlow::personOf(const QString& fiscalCode)
{
    Dataset certificates;
    m_certificates->openCertificates(certificates);
    if (!certificates.locate(QStringLiteral("SCUDCODFIS"), {fiscalCode}))
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
    m_certificates->openSection(rows, QStringLiteral("TCUDA_ANNOTAZIONI"), person);
    QStringList result;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList codes;
        for (int slot = 1; slot <= 54; ++slot) {
            const QString column = QStringLiteral("SANN7%1").arg(slot, 2, 10, QLatin1Char('0'));
            if (rows.hasField(column) && !rows.asString(column).isEmpty())
                codes.append(rows.asString(column));
        }
        result.append(codes.join(u','));
    }
    result.sort();
    return result;
}

} // namespace cu::test
