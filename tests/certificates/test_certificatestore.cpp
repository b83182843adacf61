// Certificates and their sections on the store, on SQLite and PostgreSQL:
// the key, months kept apart, section links, the printed state, the
// signature rule, and installing the schemas ("db init") twice.
#include "certificates/CertificateKey.h"
#include "certificates/CertificateStore.h"
#include "certificates/StoreInstaller.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "store/HlmDBCds.h"
#include "support/StoreFixture.h"
#include "support/TestPaths.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace cu;
using cu::test::StoreFixture;

namespace {

QString schemaPath()
{
    return cu::test::sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/Schema/eli.xml");
}

struct Certificates
{
    explicit Certificates(StoreFixture& fixture, const CertificateSchema& schema)
        : store(fixture.connection(), op)
    {
        StoreInstaller::installSchemas(fixture.connection(), schema);
        store.setProgramme(QStringLiteral("eli"));
        store.setYear(2024);
        store.setMonth(-1);
        certificates = std::make_unique<CertificateStore>(store, schema);
    }

    void add(Dataset& list, const QString& fiscalCode, const QString& month, const char* income)
    {
        certificates->appendCertificate(list, month, month == u"12");
        list.setValue(u"SCUDCODFIS", fiscalCode);
        list.setValue(u"SCUDCOGNOME", QStringLiteral("BIANCHI"));
        list.setValue(u"fCudReddDetr", QVariant::fromValue(*Currency::parse(QString::fromLatin1(income))));
        list.post();
        certificates->saveCertificate(list);
    }

    void addInps(Dataset& section, const Dataset& list, const char* taxable)
    {
        certificates->appendSectionRow(section, QStringLiteral("TCUDI_INPS"));
        CertificateStore::linkToCertificate(section, list);
        section.setValue(u"FCUDIMPONIBILE",
                         QVariant::fromValue(*Currency::parse(QString::fromLatin1(taxable))));
        section.post();
        certificates->saveSection(section, QStringLiteral("TCUDI_INPS"), list);
    }

    ScriptedOperator op;
    HlmDBCds store;
    std::unique_ptr<CertificateStore> certificates;
};

} // namespace

class TestCertificateStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_schema = CertificateSchema::load(schemaPath()); }
    void keyTexts();
    void twoMonthsOfOnePersonStayApart_data() { cu::test::TestDatabases::addEngineColumns(); }
    void twoMonthsOfOnePersonStayApart();
    void newCertificateFlags_data() { cu::test::TestDatabases::addEngineColumns(); }
    void newCertificateFlags();
    void printedStateAndSignatures_data() { cu::test::TestDatabases::addEngineColumns(); }
    void printedStateAndSignatures();
    void installTwiceChangesNothing_data() { cu::test::TestDatabases::addEngineColumns(); }
    void installTwiceChangesNothing();

private:
    CertificateSchema m_schema;
};

void TestCertificateStore::keyTexts()
{
    QCOMPARE(certificate::monthText(6), QStringLiteral("06"));
    QCOMPARE(certificate::monthText(12), QStringLiteral("12"));
    QCOMPARE(certificate::storeMonth(QString()), -1);
    QCOMPARE(certificate::storeMonth(QStringLiteral("00")), 0);
    QCOMPARE(certificate::storeMonth(QStringLiteral("06")), 6);
    QVERIFY_THROWS_EXCEPTION(EZfError, certificate::storeMonth(QStringLiteral("13")));
    QVERIFY_THROWS_EXCEPTION(EZfError, certificate::storeMonth(QStringLiteral("xx")));
    QCOMPARE(certificate::searchFilter(QStringLiteral("DNGLCU80A01H501X"), 6),
             QStringLiteral("SCUDCODFIS='DNGLCU80A01H501X' AND SCUDMESE='06'"));
    QCOMPARE(certificate::searchFilter(QStringLiteral("D'A"), 12),
             QStringLiteral("SCUDCODFIS='D''A' AND SCUDMESE='12'"));
}

void TestCertificateStore::twoMonthsOfOnePersonStayApart()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    Certificates c(fixture, m_schema);
    const QString code = QStringLiteral("D'NGLC80A01H501X"); // a quote in the key

    Dataset list;
    c.certificates->openCertificates(list);
    Dataset inps;
    c.certificates->openSection(inps, QStringLiteral("TCUDI_INPS"), -1);
    c.add(list, code, QStringLiteral("06"), "1000.10");
    c.addInps(inps, list, "600");
    const qint64 june = list.asInteger(u"iAfiID");
    c.add(list, code, QStringLiteral("12"), "2000.20");
    c.addInps(inps, list, "1200");
    c.addInps(inps, list, "1300");
    const qint64 december = list.asInteger(u"iAfiID");
    QVERIFY(june > 0 && december > 0 && june != december);

    Dataset reread;
    c.certificates->openCertificates(reread);
    QCOMPARE(reread.recordCount(), 2);
    reread.setFilter(certificate::searchFilter(code, 12));
    QCOMPARE(reread.recordCount(), 1);
    QCOMPARE(reread.asCurrency(u"FCUDREDDDETR"), *Currency::parse(u"2000.20"));
    QCOMPARE(reread.asInteger(u"iAfiID"), december);
    QCOMPARE(reread.asString(u"LCUDCONGUAGLIO"), QStringLiteral("X"));

    Dataset juneRows;
    c.certificates->openSection(juneRows, QStringLiteral("TCUDI_INPS"), june);
    QCOMPARE(juneRows.recordCount(), 1);
    QCOMPARE(juneRows.asString(u"SCUDMESE"), QStringLiteral("06"));
    QCOMPARE(juneRows.asString(u"SCUDCODFIS"), code);
    Dataset decemberRows;
    c.certificates->openSection(decemberRows, QStringLiteral("TCUDI_INPS"), december);
    QCOMPARE(decemberRows.recordCount(), 2);
    for (decemberRows.first(); !decemberRows.eof(); decemberRows.next())
        QCOMPARE(decemberRows.asString(u"SCUDMESE"), QStringLiteral("12"));

    // Rows stored under their certificate's month.
    Dataset decemberOnly;
    c.store.open(decemberOnly, QStringLiteral("TCUDI_INPS"), -1, 12, 2024);
    QCOMPARE(decemberOnly.recordCount(), 2);

    // Deleting the June certificate removes its person, not December's rows.
    reread.setFilter(certificate::searchFilter(code, 6));
    c.certificates->removeCertificate(reread);
    QCOMPARE(fixture.count(QStringLiteral("tafi_anafiscale"), QStringLiteral("iafiid = %1").arg(june)), 0);
    QCOMPARE(fixture.count(QStringLiteral("tafi_anafiscale"), QStringLiteral("iafiid = %1").arg(december)),
             1);
    c.certificates->openSection(decemberRows, QStringLiteral("TCUDI_INPS"), december);
    QCOMPARE(decemberRows.recordCount(), 2);
}

void TestCertificateStore::newCertificateFlags()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    Certificates c(fixture, m_schema);
    Dataset list;
    c.certificates->openCertificates(list);
    c.certificates->appendCertificate(list, QStringLiteral("00"), false);
    QCOMPARE(list.asString(u"LCUDCOMPRENSIVO"), QStringLiteral("X"));
    QCOMPARE(list.asString(u"LCUDCONGUAGLIO"), QStringLiteral("0"));
    QCOMPARE(list.asString(u"LCUDANNULLAMENTO"), QStringLiteral("0"));
    QCOMPARE(list.asString(u"LCUDINFORZA3112"), QStringLiteral("0"));
    QVERIFY(list.isNull(u"SCUDCODFIS"));
    list.setValue(u"SCUDCODFIS", QStringLiteral("RSSMRA80A01H501U"));
    list.post();
    // Month "00" is stored as no month.
    c.certificates->saveCertificate(list);
    QCOMPARE(fixture.count(QStringLiteral("tcrf_crofiscale"), QStringLiteral("icrfmese IS NULL")), 1);
    Dataset reread;
    c.certificates->openCertificates(reread);
    QCOMPARE(reread.asString(u"SCUDMESE"), QStringLiteral("00"));
    QCOMPARE(reread.asString(u"LCUDRBSNST51TDIP"), QStringLiteral("0"));
}

void TestCertificateStore::printedStateAndSignatures()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    Certificates c(fixture, m_schema);
    Dataset list;
    c.certificates->openCertificates(list);
    for (const QString& code : {QStringLiteral("AAAAAA80A01H501A"), QStringLiteral("BBBBBB80A01H501B"),
                                QStringLiteral("CCCCCC80A01H501C")})
        c.add(list, code, QStringLiteral("12"), "10");
    list.first();
    QVERIFY(!CertificateStore::isPrinted(list));
    c.certificates->setPrintedState(list, 1);
    QVERIFY(CertificateStore::isPrinted(list));
    list.last();
    list.edit();
    list.setValue(u"SCUDDATIANAFIRMA", QStringLiteral("FIRMA GIUSTA"));
    list.post();
    c.certificates->saveCertificate(list);

    QCOMPARE(c.certificates->updateSignatures(list, QStringLiteral("FIRMA GIUSTA")), 2);
    QCOMPARE(list.recNo(), 0);
    Dataset reread;
    c.certificates->openCertificates(reread);
    int printed = 0;
    for (reread.first(); !reread.eof(); reread.next()) {
        QCOMPARE(reread.asString(u"SCUDDATIANAFIRMA"), QStringLiteral("FIRMA GIUSTA"));
        printed += CertificateStore::isPrinted(reread) ? 1 : 0;
    }
    QCOMPARE(printed, 1); // the state was left as it was
    QCOMPARE(c.certificates->updateSignatures(reread, QStringLiteral("FIRMA GIUSTA")), 0);
}

void TestCertificateStore::installTwiceChangesNothing()
{
    QFETCH(QString, engine);
    cu::test::TestDatabase database(engine);
    CU_REQUIRE_DATABASE(database);
    Connection connection;
    connection.open(database.params());

    const StoreInstaller::Outcome first = StoreInstaller::install(connection, m_schema);
    QCOMPARE(first.created, int(m_schema.tables().size()));
    const QStringList before = cu::test::dumpStore(connection);
    const StoreInstaller::Outcome second = StoreInstaller::install(connection, m_schema);
    QCOMPARE(second.created, 0);
    QCOMPARE(second.updated, 0);
    QCOMPARE(second.unchanged, int(m_schema.tables().size()));
    QCOMPARE(cu::test::dumpStore(connection), before);

    // A changed schema file replaces the stored schema of its year only.
    QTemporaryDir folder;
    QFile original(schemaPath());
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray text = original.readAll();
    text.replace("name=\"SCTCELL\" type=\"S\" size=\"60\"", "name=\"SCTCELL\" type=\"S\" size=\"20\"");
    QFile changed(folder.filePath(QStringLiteral("eli.xml")));
    QVERIFY(changed.open(QIODevice::WriteOnly));
    changed.write(text);
    changed.close();
    const StoreInstaller::Outcome third =
        StoreInstaller::install(connection, CertificateSchema::load(changed.fileName()));
    QCOMPARE(third.updated, 1);
    QCOMPARE(third.created, 0);
    connection.close();
}

QTEST_GUILESS_MAIN(TestCertificateStore)
#include "test_certificatestore.moc"
