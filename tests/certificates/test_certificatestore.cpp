// The certificate tables: the schema file (every table, the columns other
// parts of the program use, clear errors for a broken file), and the
// certificates and their sections on the store, on SQLite and PostgreSQL
// (the key, months kept apart, section links, the printed state, the
// signature rule, and installing the schemas ("db init") twice).
#include "certificates/CertificateKey.h"
#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/StoreInstaller.h"
#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"
#include "support/StoreFixture.h"
#include "support/TestSupport.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::certificateSchema;
using cu::test::StoreFixture;
using cu::test::TestDatabases;

class TestCertificateStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<HlmDBCds> m_store;
    std::unique_ptr<CertificateStore> m_certificates;

    void add(Dataset& list, const QString& fiscalCode, const QString& month, const char* income)
    {
        m_certificates->appendCertificate(list, month, month == u"12");
        list.setValue(u"SCUDCODFIS", fiscalCode);
        list.setValue(u"SCUDCOGNOME", u"BIANCHI"_s);
        list.setValue(u"fCudReddDetr", cu::test::amount(income));
        list.post();
        m_certificates->saveCertificate(list);
    }
    void addInps(Dataset& section, const Dataset& list, const char* taxable)
    {
        m_certificates->appendSectionRow(section, u"TCUDI_INPS"_s);
        CertificateStore::linkToCertificate(section, list);
        section.setValue(u"FCUDIMPONIBILE", cu::test::amount(taxable));
        section.post();
        m_certificates->saveSection(section, u"TCUDI_INPS"_s, list);
    }

private slots:
    // A test whose rows are named after an engine runs on a fresh store of
    // that engine with the certificate schemas installed.
    void init()
    {
        const QString engine = QString::fromLatin1(QTest::currentDataTag());
        if (!TestDatabases::engines().contains(engine))
            return;
        m_fixture = std::make_unique<StoreFixture>(engine);
        CU_REQUIRE_STORE(*m_fixture);
        StoreInstaller::installSchemas(m_fixture->connection(), certificateSchema());
        m_store = std::make_unique<HlmDBCds>(m_fixture->connection());
        cu::test::setStoreYear(*m_store);
        m_certificates = std::make_unique<CertificateStore>(*m_store, certificateSchema());
    }
    void cleanup()
    {
        m_certificates.reset();
        m_store.reset();
        m_fixture.reset();
    }

    void tablesOfTheProgramme()
    {
        const CertificateSchema& schema = certificateSchema();
        QCOMPARE(schema.programme(), u"eli"_s);
        QCOMPARE(schema.year(), 2024);
        QStringList names;
        for (const TableSchema& table : schema.tables()) {
            names.append(table.name);
            QCOMPARE(table.personTable, table.name == u"TCUD_DATICUD");
        }
        QCOMPARE(names,
                 (QStringList{"TCUD_DATICUD", "TCUDI_INPS", "TCUDN_INPDAP", "TCUIN_INAIL", "TCUDAE_ALTRIENTI",
                              "TCUDC_CONFAMCARICO", "TCUDT_TFR", "TASE_AUTSOMMEEROGATE", "TCUDCA_COOPART",
                              "TCUDA_ANNOTAZIONI", "TCUS_DATISOST", "TCUAS_DATIALTRISOST", "TCUCT_DATICT",
                              "TCFO_FORNITORE"}));
        const TableSchema* certificate = schema.table(u"tcud_daticud");
        QVERIFY(!certificate->fieldMapReadOnly);
        QVERIFY(certificate->fieldMap.contains(u"saficodfiscale=SCUDCODFIS"_s));
        // Points are unique within a part.
        for (const TableSchema& table : schema.tables()) {
            QSet<QString> seen;
            for (const ColumnSchema& c : table.columns) {
                const QString key = c.part + u'/' + c.point;
                QVERIFY2(c.point.isEmpty() || !seen.contains(key), qPrintable(table.name + u' ' + c.name));
                seen.insert(key);
            }
        }
    }

    void columnsUsedElsewhere_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("lookup");
        const QVector<QStringList> rows{
            {"TCUD_DATICUD", "SCUDCODFIS", "S", "anagrafici", "1", ""},
            {"TCUD_DATICUD", "SCUDMESE", "S", "", "", ""},
            {"TCUD_DATICUD", "ICUDSTATO", "I", "", "", ""},
            {"TCUD_DATICUD", "SCUDEVENTECC", "S", "anagrafici", "9", "TEEC_EVENTIECCEZIONALI.CDS"},
            {"TCUD_DATICUD", "FCUDREDDDETR", "F", "fiscali", "1", ""},
            {"TCUD_DATICUD", "FCUDISPRT", "F", "fiscali", "101", ""},
            {"TCUD_DATICUD", "FCUDISPPT", "F", "fiscali", "", ""},
            {"TCUD_DATICUD", "FCUDISPPCT", "F", "fiscali", "", ""},
            {"TCUD_DATICUD", "FCUDDETRULTDETR", "F", "fiscali", "", ""},
            {"TCUD_DATICUD", "LCUDCPOSCNACFC", "L", "fiscali", "683", ""},
            {"TCUDI_INPS", "SCUD3TTIPORAPPORTO", "S", "inps", "72", "TTRA_TIPORAPP3TER.cds"},
            {"TCUDN_INPDAP", "SCUDGESASS_5", "S", "inpdap", "16", "TGES_GESTIONIASS.cds"},
            {"TCUDN_INPDAP", "LINPDAPNOIPADICH", "L", "inpdap", "11", ""},
            {"TCUIN_INAIL", "SQUACODICE", "S", "inail", "91", "TQUS_QUALIFICA.CDS"},
            {"TCUDT_TFR", "FRIEP7QUOTASPETT", "F", "tfr", "917", ""},
            {"TCUDT_TFR", "CRIEP7CODFISDIR", "C", "tfr", "916", ""},
            {"TASE_AUTSOMMEEROGATE", "SCAUCODICE", "S", "autonomi", "1", "TCAU_CAUSALE.CDS"},
            {"TCUDA_ANNOTAZIONI", "SANN754", "S", "annotazioni", "54", ""},
            {"TCUS_DATISOST", "SSOSEVECC", "S", "sostituto", "", "TSEE_SOSTITUTOEVENTIECCEZIONALI.CDS"},
            {"TCFO_FORNITORE", "STFOCODICE", "S", "fornitore", "", "TTFO_TIPOFORNIT.CDS"}};
        for (const QStringList& r : rows)
            QTest::newRow(qPrintable(r[0] + u'.' + r[1])) << r[0] << r[1] << r[2] << r[3] << r[4] << r[5];
    }
    void columnsUsedElsewhere()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        const ColumnSchema* c = certificateSchema().table(table)->column(column);
        QVERIFY2(c, qPrintable(column));
        QTEST(QString(c->typeLetter), "type");
        QTEST(c->part, "part");
        QTEST(c->point, "point");
        QTEST(c->lookup, "lookup");
    }

    void fieldsOfADataset()
    {
        const TableSchema* tfr = certificateSchema().table(u"TCUDT_TFR");
        const QVector<FieldDef> fields = tfr->fieldDefs();
        QCOMPARE(fields[0].name, u"iAfiID"_s);
        QCOMPARE(fields[0].type, FieldType::Integer);
        QCOMPARE(fields[1].name, u"iFisRigo"_s);
        Dataset row;
        row.setFields(fields);
        row.open();
        const auto field = [&](const char16_t* name) { return fields[row.fieldIndex(name)]; };
        QCOMPARE(field(u"CRIEP7CODFISDIR").type, FieldType::String);
        QCOMPARE(field(u"CRIEP7CODFISDIR").size, 16);
        QCOMPARE(field(u"FRIEP7QUOTASPETT").type, FieldType::Currency);
        QCOMPARE(field(u"DRL7DTINIZIRAPLAV").type, FieldType::Date);
        QCOMPARE(field(u"IRL7GGSOSPENLAV").type, FieldType::Integer);
        QCOMPARE(field(u"LRL7TEMPDETER").type, FieldType::String);
        QCOMPARE(field(u"LRL7TEMPDETER").size, 1);
    }

    // The months of each group of month flags follow one another.
    void monthFlagsAreConsecutive()
    {
        const QStringList months{"GENNAIO", "FEBBRAIO", "MARZO",     "APRILE",  "MAGGIO",   "GIUGNO",
                                 "LUGLIO",  "AGOSTO",   "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};
        for (const auto& [table, january] : {std::pair{u"TCUDI_INPS", u"LCUDGENNAIO"},
                                             {u"TCUDI_INPS", u"LCUDGENNAIO_C"},
                                             {u"TCUDI_INPS", u"LCUD3BGENNAIO_C"},
                                             {u"TCUDI_INPS", u"LCUD3TGENNAIO_C"},
                                             {u"TCUDN_INPDAP", u"LINPDAPGENNAIO"},
                                             {u"TCUDN_INPDAP", u"LINPDAPPRSDGENNAIO"},
                                             {u"TCUDN_INPDAP", u"LINPDAPPRDGENNAIO"}}) {
            const QVector<ColumnSchema>& columns = certificateSchema().table(table)->columns;
            const auto first = std::find_if(columns.begin(), columns.end(), [&](const ColumnSchema& c) {
                return c.name.compare(january, Qt::CaseInsensitive) == 0;
            });
            QVERIFY(first != columns.end());
            for (int m = 0; m < 12; ++m)
                QCOMPARE((first + m)->name.toUpper(),
                         QString::fromUtf16(january).replace(u"GENNAIO"_s, months[m]));
        }
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        const QString table = u"<schema programme=\"eli\" year=\"2024\">\n<table name=\"T\" tag=\"X\" "
                              "personTable=\"0\" fieldMapReadOnly=\"0\">\n"_s;
        const auto column = [&](const char* attributes) {
            return table + u"<column "_s + QString::fromLatin1(attributes) +
                   u" checkbox=\"0\"/></table></schema>"_s;
        };
        // clang-format off
        QTest::newRow("not xml") << u"<schema"_s << u"riga 1"_s;
        QTest::newRow("wrong root") << u"<tables/>"_s << u"<schema>"_s;
        QTest::newRow("type not first letter") << column("name=\"SX\" type=\"F\" size=\"0\"") << u"SX"_s;
        QTest::newRow("unknown type") << column("name=\"XA\" type=\"X\" size=\"1\"") << u"riga 3"_s;
        QTest::newRow("string without size") << column("name=\"SX\" type=\"S\" size=\"0\"") << u"dimensione"_s;
        QTest::newRow("twice") << column("name=\"SX\" type=\"S\" size=\"2\" checkbox=\"0\"/><column name=\"sx\" type=\"S\" size=\"2\"") << u"ripetuta"_s;
        // clang-format on
    }
    void brokenFiles()
    {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"rotto.xml"_s);
        cu::test::writeFile(path, content.toUtf8());
        try {
            CertificateSchema::load(path);
            QFAIL("a broken file was accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(path) && e.message().contains(expected), qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(EZfError, CertificateSchema::load(folder.filePath(u"manca.xml"_s)));
    }

    void keyTexts()
    {
        QCOMPARE(certificate::monthText(6), u"06"_s);
        QCOMPARE(certificate::storeMonth(QString()), -1);
        QCOMPARE(certificate::storeMonth(u"00"_s), 0);
        QCOMPARE(certificate::storeMonth(u"06"_s), 6);
        QVERIFY_THROWS_EXCEPTION(EZfError, certificate::storeMonth(u"13"_s));
        QVERIFY_THROWS_EXCEPTION(EZfError, certificate::storeMonth(u"xx"_s));
        QCOMPARE(certificate::searchFilter(u"D'A"_s, 12), u"SCUDCODFIS='D''A' AND SCUDMESE='12'"_s);
    }

    void twoMonthsOfOnePersonStayApart_data() { TestDatabases::addEngineColumns(); }
    void twoMonthsOfOnePersonStayApart()
    {
        const QString code = u"D'NGLC80A01H501X"_s; // a quote in the key
        Dataset list;
        m_certificates->openCertificates(list);
        Dataset inps;
        m_certificates->openSection(inps, u"TCUDI_INPS"_s, -1);
        add(list, code, u"06"_s, "1000.10");
        addInps(inps, list, "600");
        const qint64 june = list.asInteger(u"iAfiID");
        add(list, code, u"12"_s, "2000.20");
        addInps(inps, list, "1200");
        addInps(inps, list, "1300");
        const qint64 december = list.asInteger(u"iAfiID");
        QVERIFY(june > 0 && december > 0 && june != december);

        Dataset reread;
        m_certificates->openCertificates(reread);
        QCOMPARE(reread.recordCount(), 2);
        reread.setFilter(certificate::searchFilter(code, 12));
        QCOMPARE(reread.recordCount(), 1);
        QCOMPARE(reread.asCurrency(u"FCUDREDDDETR"), cu::test::money("2000.20"));
        QCOMPARE(reread.asInteger(u"iAfiID"), december);
        QCOMPARE(reread.asString(u"LCUDCONGUAGLIO"), u"X"_s);
        Dataset juneRows;
        m_certificates->openSection(juneRows, u"TCUDI_INPS"_s, june);
        QCOMPARE(juneRows.recordCount(), 1);
        QCOMPARE(juneRows.asString(u"SCUDMESE"), u"06"_s);
        QCOMPARE(juneRows.asString(u"SCUDCODFIS"), code);
        Dataset decemberRows;
        m_certificates->openSection(decemberRows, u"TCUDI_INPS"_s, december);
        QCOMPARE(decemberRows.recordCount(), 2);
        for (decemberRows.first(); !decemberRows.eof(); decemberRows.next())
            QCOMPARE(decemberRows.asString(u"SCUDMESE"), u"12"_s);
        // Rows stored under their certificate's month.
        Dataset decemberOnly;
        m_store->open(decemberOnly, u"TCUDI_INPS"_s, -1, 12, 2024);
        QCOMPARE(decemberOnly.recordCount(), 2);
        // Deleting the June certificate removes its person, not December's rows.
        reread.setFilter(certificate::searchFilter(code, 6));
        m_certificates->removeCertificate(reread);
        QCOMPARE(m_fixture->count(u"tafi_anafiscale"_s, u"iafiid = %1"_s.arg(june)), 0);
        QCOMPARE(m_fixture->count(u"tafi_anafiscale"_s, u"iafiid = %1"_s.arg(december)), 1);
        m_certificates->openSection(decemberRows, u"TCUDI_INPS"_s, december);
        QCOMPARE(decemberRows.recordCount(), 2);
    }

    void printedStateAndSignatures_data() { TestDatabases::addEngineColumns(); }
    void printedStateAndSignatures()
    {
        Dataset list;
        m_certificates->openCertificates(list);
        for (const QString& code : {u"AAAAAA80A01H501A"_s, u"BBBBBB80A01H501B"_s, u"CCCCCC80A01H501C"_s})
            add(list, code, u"12"_s, "10");
        list.first();
        QVERIFY(!CertificateStore::isPrinted(list));
        m_certificates->setPrintedState(list, 1);
        QVERIFY(CertificateStore::isPrinted(list));
        list.last();
        list.edit();
        list.setValue(u"SCUDDATIANAFIRMA", u"FIRMA GIUSTA"_s);
        list.post();
        m_certificates->saveCertificate(list);
        // Only the rows with another signature change; a second update changes none.
        QCOMPARE(m_certificates->updateSignatures(list, u"FIRMA GIUSTA"_s), 2);
        Dataset reread;
        m_certificates->openCertificates(reread);
        QCOMPARE(m_certificates->updateSignatures(reread, u"FIRMA GIUSTA"_s), 0);
    }

    void installTwiceChangesNothing_data() { TestDatabases::addEngineColumns(); }
    void installTwiceChangesNothing()
    {
        const CertificateSchema& schema = certificateSchema();
        const StoreInstaller::Outcome again = StoreInstaller::install(m_fixture->connection(), schema);
        QCOMPARE(again.created, 0);
        QCOMPARE(again.updated, 0);
        QCOMPARE(again.unchanged, int(schema.tables().size()));
        const QStringList before = m_fixture->dump();
        StoreInstaller::install(m_fixture->connection(), schema);
        QCOMPARE(m_fixture->dump(), before);
        // A changed schema file replaces the stored schema of its year only.
        QTemporaryDir folder;
        QByteArray text = cu::test::readFile(cu::test::schemaPath());
        text.replace("name=\"SCTCELL\" type=\"S\" size=\"60\"", "name=\"SCTCELL\" type=\"S\" size=\"20\"");
        cu::test::writeFile(folder.filePath(u"eli.xml"_s), text);
        const StoreInstaller::Outcome changed = StoreInstaller::install(
            m_fixture->connection(), CertificateSchema::load(folder.filePath(u"eli.xml"_s)));
        QCOMPARE(changed.updated, 1);
        QCOMPARE(changed.created, 0);
    }
};

QTEST_GUILESS_MAIN(TestCertificateStore)
#include "test_certificatestore.moc"
