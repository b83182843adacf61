// The query catalogue: building from sources, the keyed digest of its
// signature, the signature and version check, handing texts out by name,
// type, index and engine; datasets that run a catalogue SELECT (typed fields,
// exact amounts and dates on every engine, parameters from the text's markers,
// reading again only when the key changes).
#include "foundation/catalogue/HlmCert.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/catalogue/Krypto.h"
#include "foundation/catalogue/QueryDataset.h"
#include "foundation/catalogue/VersionNumber.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

const QString Statements = uR"(
  <version program="TESTPROG" minimum="2.0.0"/>
  <statement name="QRY_MESI" type="SELECT"><sql>SELECT * FROM TMES WHERE IMESID = :IMESID</sql></statement>
  <statement name="qry_mesi" type="UPDATE"><sql>UPDATE TMES SET SMESLDESC = :D WHERE IMESID = :IMESID</sql></statement>
  <statement name="QRY_RIGHE" type="EXECUTE" index="2"><sql>DELETE FROM TRIG</sql></statement>
  <statement name="QRY_RIGHE" type="EXECUTE"><sql>UPDATE TRIG SET N = 0</sql></statement>
  <statement name="QRY_ANA" type="SELECT"><sql>SELECT * FROM TANA</sql></statement>
  <statement name="QRY_ANA" type="INSERT" index="0"><sql>INSERT 0</sql></statement>
  <statement name="QRY_ANA" type="INSERT" index="1"><sql>INSERT 1</sql></statement>
  <statement name="QRY_ANA" type="INSERT" index="3"><sql>INSERT 3</sql></statement>
  <statement name="QRY_ANA" type="UPDATE"><sql>UPDATE 0</sql></statement>
  <statement name="QRY_ANA" type="DELETE" index="1"><sql>DELETE 1</sql></statement>
  <statement name="QRY_LIMITE" type="SELECT">
    <sql>SELECT FIRST 1 X FROM T</sql>
    <sql engine="QPSQL">SELECT X FROM T LIMIT 1</sql>
  </statement>
  <statement name="QRY_SOLO_PG" type="SELECT"><sql engine="QPSQL">SELECT 1</sql></statement>
)"_s;

const QString Refused = u"Certificato query non trovato od errato."_s;
const QString Hint = u" Aggiornare il programma \"Gestione compensi\""_s;

ProgramIdentity program(const QString& version, const QString& name = u"testprog"_s)
{
    return {name, version, u"Modello CU 2025"_s};
}

QString updateMessage(const QString& minimum)
{
    return u"AGGIORNARE IL PROGRAMMA \"Modello CU 2025\".\r\nVersione minima richiesta: %1."_s.arg(minimum);
}

const QString QueryStatements = uR"(
  <statement name="QRY_TEST_COMPENSI" type="SELECT">
    <sql>SELECT C.ICOMID, C.SCOMDESC, C.FCOMIMPORTO, C.DCOMDATA FROM TTEST_COMPENSI C
         WHERE C.ICOMANNO = :ICOMANNO %s ORDER BY C.ICOMID</sql>
  </statement>
  <statement name="QRY_TEST_SOMMA" type="SELECT">
    <sql>SELECT SUM(FCOMIMPORTO) AS TOTALE, COUNT(*) AS RIGHE FROM TTEST_COMPENSI WHERE ICOMANNO = :ICOMANNO</sql>
    <sql engine="QPSQL">SELECT SUM(FCOMIMPORTO)::NUMERIC(18,4) AS TOTALE, COUNT(*) AS RIGHE FROM TTEST_COMPENSI
         WHERE ICOMANNO = :ICOMANNO</sql>
  </statement>
)"_s;

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Connection m_connection; // never opened: the texts are only handed out
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Connection> m_database;
    HlmQueryText m_queries;

    QString build(HlmQueryText& catalogue, const QString& body = Statements)
    {
        return cu::test::buildCatalogue(catalogue, m_dir.path(), body);
    }

private slots:
    // Every test but the first runs on a fresh database of its row's engine
    // holding three compensations of 2024.
    void init()
    {
        const QString engine = QString::fromLatin1(QTest::currentDataTag());
        if (!TestDatabases::engines().contains(engine))
            return;
        m_db = std::make_unique<TestDatabase>(engine);
        CU_REQUIRE_DATABASE(*m_db);
        m_database = std::make_unique<Connection>();
        m_database->open(m_db->params());
        cu::test::execute(*m_database,
                          u"CREATE TABLE TTEST_COMPENSI (ICOMID INTEGER PRIMARY KEY, ICOMANNO "
                          "INTEGER, SCOMDESC VARCHAR(40), FCOMIMPORTO NUMERIC(15,4), DCOMDATA DATE)"_s);
        SqlQuery query(*m_database);
        query.setSql(u"INSERT INTO TTEST_COMPENSI VALUES (:ID, 2024, :DESCR, :IMPORTO, :DATA)"_s);
        const QVariantList descriptions{u"Stipendio"_s, u"Rimborso 'spese'"_s, QVariant()};
        const QVariantList dates{QDate(2024, 1, 31), QDate(2024, 2, 29), QVariant()};
        const char* amounts[] = {"12345678.9012", "0.1000", "-7"};
        for (int i = 0; i < 3; ++i) {
            query.setParam(u"ID"_s, i + 1);
            query.setParam(u"DESCR"_s, descriptions[i]);
            query.setParam(u"IMPORTO"_s, cu::test::money(amounts[i]));
            query.setParam(u"DATA"_s, dates[i]);
            query.execute();
        }
        cu::test::buildCatalogue(m_queries, m_dir.path(), QueryStatements);
        m_queries.setEngine(m_database->params().driver);
    }
    void cleanup()
    {
        m_database.reset();
        m_db.reset();
    }

    void parametersFollowTheText()
    {
        Connection connection; // the markers are read without a database
        QueryDataset dataSet(connection);
        dataSet.setCommandText(u"SELECT ':NO', X::TEXT FROM T WHERE A = :a AND B = :B OR A = :A"_s);
        QCOMPARE(dataSet.paramNames(), (QStringList{u"A"_s, u"B"_s}));
        dataSet.setParam(u"b"_s, 5);
        QCOMPARE(dataSet.param(u"B"_s), QVariant(5));
        QVERIFY_THROWS_EXCEPTION(EAssertion, dataSet.setParam(u"C"_s, 1));
        dataSet.setCommandText(u"SELECT 1 FROM T WHERE B = :B"_s);
        QVERIFY(dataSet.param(u"B"_s).isNull()); // a new text drops the old values
    }

    void openFillsTypedRows_data() { TestDatabases::addEngineColumns(); }
    void openFillsTypedRows()
    {
        QueryDataset dataSet(*m_database);
        m_queries.GetCommandText(u"qry_test_compensi"_s, dataSet, u"SELECT"_s);
        // The format place takes the clause and its marker becomes a parameter;
        // a place without an argument is a programming error.
        QVERIFY_THROWS_EXCEPTION(EAssertion, HlmQueryText::FormatQuery(dataSet, {}));
        HlmQueryText::FormatQuery(dataSet, {u" AND C.ICOMID <> :ESCLUSO "_s});
        QCOMPARE(dataSet.paramNames(), (QStringList{u"ICOMANNO"_s, u"ESCLUSO"_s}));
        dataSet.setParam(u"ICOMANNO"_s, 2024);
        dataSet.setParam(u"ESCLUSO"_s, 99);
        dataSet.open();
        QCOMPARE(dataSet.recordCount(), 3);
        const auto type = [&](const char16_t* field) {
            return dataSet.fields().at(dataSet.fieldIndex(field)).type;
        };
        QCOMPARE(type(u"ICOMID"), FieldType::Integer);
        QCOMPARE(type(u"SCOMDESC"), FieldType::String);
        QCOMPARE(type(u"FCOMIMPORTO"), FieldType::Currency);
        QCOMPARE(type(u"DCOMDATA"), FieldType::Date);
        QVERIFY(!dataSet.hasChanges());
        QCOMPARE(dataSet.recNo(), 0);
        QCOMPARE(dataSet.asCurrency(u"FCOMIMPORTO"), cu::test::money("12345678.9012"));
        QCOMPARE(dataSet.asDate(u"DCOMDATA"), QDate(2024, 1, 31));
        dataSet.next();
        QCOMPARE(dataSet.asString(u"SCOMDESC"), u"Rimborso 'spese'"_s);
        QCOMPARE(dataSet.asCurrency(u"FCOMIMPORTO"), Currency::fromRaw(1000));
        QCOMPARE(dataSet.asDate(u"DCOMDATA"), QDate(2024, 2, 29));
        dataSet.next();
        QVERIFY(dataSet.isNull(u"SCOMDESC") && dataSet.isNull(u"DCOMDATA"));
        QCOMPARE(dataSet.asCurrency(u"FCOMIMPORTO"), Currency::fromUnits(-7));
        // Opening again with another filter replaces the rows.
        dataSet.setParam(u"ESCLUSO"_s, 1);
        dataSet.open();
        QCOMPARE(dataSet.recordCount(), 2);

        QueryDataset sum(*m_database);
        m_queries.GetCommandText(u"QRY_TEST_SOMMA"_s, sum, u"SELECT"_s);
        sum.setParam(u"ICOMANNO"_s, 2024);
        sum.open();
        QCOMPARE(sum.asCurrency(u"TOTALE"), cu::test::money("12345672.0012"));
        QCOMPARE(sum.asInteger(u"RIGHE"), 3);
    }

    void faultsAreReported_data() { TestDatabases::addEngineColumns(); }
    void faultsAreReported()
    {
        QueryDataset dataSet(*m_database);
        QVERIFY_THROWS_EXCEPTION(EAssertion, dataSet.open()); // no text
        dataSet.setCommandText(u"SELECT * FROM TTEST_COMPENSI WHERE ICOMANNO = :ICOMANNO"_s);
        QVERIFY_THROWS_EXCEPTION(EAssertion, dataSet.open()); // parameter without value
        dataSet.setCommandText(u"SELECT * FROM TTEST_NESSUNA"_s);
        try {
            dataSet.open();
            QFAIL("missing table accepted");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(u"ttest_nessuna"_s, Qt::CaseInsensitive), qPrintable(e.message()));
            QCOMPARE(e.statement(), u"SELECT * FROM TTEST_NESSUNA"_s);
        }
    }

    // The query is read again only when its key changes, when forced, or
    // when it has nothing to show: a row inserted meanwhile tells.
    void reopenOnlyWhenTheKeyChanges_data() { TestDatabases::addEngineRow(TestDatabases::Sqlite); }
    void reopenOnlyWhenTheKeyChanges()
    {
        const auto insert = [&](int id, int year) {
            cu::test::execute(
                *m_database,
                u"INSERT INTO TTEST_COMPENSI (ICOMID, ICOMANNO) VALUES (%1, %2)"_s.arg(id).arg(year));
        };
        QueryDataset query(*m_database);
        query.setCommandText(u"SELECT ICOMID, ICOMANNO FROM TTEST_COMPENSI WHERE ICOMANNO = :ICOMANNO"_s);
        ReopenIfChanged(query, u"ICOMANNO"_s, false, 2024);
        QCOMPARE(query.recordCount(), 3);
        insert(4, 2024);
        ReopenIfChanged(query, u"ICOMANNO"_s, false, 2024);
        QCOMPARE(query.recordCount(), 3); // same key: not read again
        ReopenIfChanged(query, u"ICOMANNO"_s, true, 2024);
        QCOMPARE(query.recordCount(), 4); // forced
        ReopenIfChanged(query, u"ICOMANNO"_s, false, 2025);
        QCOMPARE(query.recordCount(), 0);
        insert(5, 2025);
        // An empty result is always read again, even for the same key.
        ReopenIfChanged(query, u"ICOMANNO"_s, false, 2025);
        QCOMPARE(query.recordCount(), 1);
    }

    void versionsCompareAsNumbers_data()
    {
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("acceptable");
        // clang-format off
        QTest::newRow("1.10.0 over 1.9.5") << "1.10.0" << "1.9.5" << false;
        QTest::newRow("1.9.5 under 1.10.0") << "1.9.5" << "1.10.0" << true;
        QTest::newRow("equal") << "2.0.0" << "2.0.0" << true;
        QTest::newRow("newer patch required") << "2.0.1" << "2.0.0" << false;
        QTest::newRow("older major required") << "1.99.99" << "2.0.0" << true;
        QTest::newRow("two parts") << "2.1" << "2.1.0" << true;
        QTest::newRow("not a version") << "due" << "2.0.0" << false;
        // clang-format on
    }
    void versionsCompareAsNumbers()
    {
        QFETCH(QString, required);
        QFETCH(QString, running);
        QTEST(VersionNumber::isAcceptable(required, running), "acceptable");
    }

    // The digest is pinned (value computed independently from the documented
    // construction): signatures written by one build must be recognised by
    // every later one.
    void keyedDigest()
    {
        QCOMPARE(Krypto(u"abc"_s, u"CHIAVEDIECI"_s, 32, u'A', u'Z'), u"ZCEJPECRNOYHXNVAOLASNSRXMXVAWACW"_s);
        const QString base = Krypto(u"riga 1\nriga 2\n"_s, u"ABCDEFGHIJ"_s, 32, u'A', u'Z');
        QVERIFY(base != Krypto(u"riga 1\nriga 3\n"_s, u"ABCDEFGHIJ"_s, 32, u'A', u'Z'));
        QVERIFY(base != Krypto(u"riga 1\nriga 2\n"_s, u"ABCDEFGHIK"_s, 32, u'A', u'Z'));
        QVERIFY(base != Krypto(u"riga 1\nriga 2"_s, u"ABCDEFGHIJ"_s, 32, u'A', u'Z'));
        QVERIFY(Krypto(u"riga 1\nriga 2\n"_s, u"ABCDEFGHIJ"_s, 64, u'A', u'Z').startsWith(base));
        const QString long200 = Krypto(u"testo"_s, u"chiave"_s, 200, u'0', u'9');
        QCOMPARE(long200.size(), 200);
        QVERIFY(std::all_of(long200.begin(), long200.end(), [](QChar c) { return c.isDigit(); }));
        QCOMPARE(Krypto(u"x"_s, u"k"_s, 0, u'A', u'Z'), QString());
        QCOMPARE(Krypto(QString(), QString(), 4, u'A', u'Z').size(), 4);
        QVERIFY_THROWS_EXCEPTION(EAssertion, Krypto(u"x"_s, u"k"_s, 5, u'Z', u'A'));
    }

    // A missing version row, an older program, a damaged, missing or stale
    // signature, or nothing loaded: refused with the message, every time.
    void versionAndSignatureCheck_data()
    {
        QTest::addColumn<QString>("damage"); // what happens to the files after the build
        QTest::addColumn<QString>("programName");
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("checked");    // signature check on
        QTest::addColumn<QString>("message"); // empty: accepted
        // clang-format off
        QTest::newRow("same version") << "" << "Gestione compensi" << "2.0.0" << true << "";
        QTest::newRow("newer version") << "" << "Gestione compensi" << "2.0.1" << true << "";
        QTest::newRow("older version") << "" << "Gestione compensi" << "1.10.0" << true << updateMessage(u"2.0.0"_s);
        QTest::newRow("no version row") << "" << "Gestione compensi" << "altro" << true << updateMessage({});
        QTest::newRow("wrong signature") << "signature" << "Gestione compensi" << "2.0.0" << true << Refused + Hint;
        QTest::newRow("missing signature") << "remove" << "Gestione compensi" << "2.0.0" << true << Refused + Hint;
        QTest::newRow("catalogue changed") << "catalogue" << "Gestione compensi" << "2.0.0" << true << Refused + Hint;
        QTest::newRow("no program name") << "remove" << "" << "2.0.0" << true << Refused;
        QTest::newRow("nothing loaded") << "unloaded" << "Gestione compensi" << "2.0.0" << true << Refused + Hint;
        QTest::newRow("no signature, no check") << "remove" << "Gestione compensi" << "2.0.0" << false << "";
        // clang-format on
    }
    void versionAndSignatureCheck()
    {
        QFETCH(QString, damage);
        QFETCH(QString, programName);
        QFETCH(QString, running);
        QFETCH(bool, checked);
        QFETCH(QString, message);
        HlmQueryText builder;
        const QString cds = build(builder);
        const QString unxc = HlmCert::signaturePath(cds);
        QCOMPARE(unxc, m_dir.filePath(u"kbr_QueryText.unxc"_s));
        if (damage == u"signature")
            cu::test::corruptSignature(unxc);
        else if (damage == u"remove")
            QVERIFY(QFile::remove(unxc));
        else if (damage == u"catalogue")
            cu::test::writeFile(cds, cu::test::readFile(cds) + "x");
        HlmQueryText catalogue;
        catalogue.SetCheckCertificate(checked);
        try {
            if (damage != u"unloaded")
                catalogue.Load(cds);
        } catch (const EZfError&) {
            QCOMPARE(damage, u"catalogue"_s); // the changed file may no longer load: refused all the same
            return;
        }
        ScriptedOperator op;
        const ProgramIdentity identity =
            running == u"altro" ? program(u"9.9.9"_s, running) : program(running);
        for (int check = 0; check < 2; ++check) // a second check gives the same answer
            QCOMPARE(catalogue.CheckVersion(programName, op, identity), message.isEmpty());
        QCOMPARE(op.texts(Severity::Error),
                 (message.isEmpty() ? QStringList() : QStringList{message, message}));
    }

    void signatureFileHoldsDigestAndLineBreak()
    {
        HlmQueryText catalogue;
        const QString cds = build(catalogue);
        const QByteArray text = cu::test::readFile(HlmCert::signaturePath(cds));
        QCOMPARE(text.size(), 34);
        QVERIFY(text.endsWith("\r\n"));
        for (char c : text.left(32))
            QVERIFY2(c >= 'A' && c <= 'Z', text.constData());
        QCOMPARE(QString::fromLatin1(text.left(32)), HlmCert::Signature(cds));
    }

    void statementsAreFoundByUpperCaseNameTypeAndIndex()
    {
        HlmQueryText catalogue;
        build(catalogue);
        SqlQuery query(m_connection);
        query.setSql(u"SELECT :OLD"_s);
        catalogue.GetQuery(u"qry_mesi"_s, query, 0, u"SELECT"_s);
        QCOMPARE(query.sql(), u"SELECT * FROM TMES WHERE IMESID = :IMESID"_s);
        QCOMPARE(query.parameterNames(), QStringList{u"IMESID"_s});
        QCOMPARE(catalogue.lastOperation(), u"QRY_MESI"_s);
        // The name in the source was lower case: stored upper-cased.
        catalogue.GetQuery(u"QRY_MESI"_s, query, 0, u"UPDATE"_s);
        QVERIFY(query.sql().startsWith(u"UPDATE TMES"_s));
        QVERIFY_THROWS_EXCEPTION(EAssertion, catalogue.GetQuery(u"QRY_MESI"_s, query, 0, u"select"_s));
        QVERIFY(query.sql().isEmpty());
        // An empty type means EXECUTE; the index chooses among the texts.
        catalogue.GetQuery(u"QRY_RIGHE"_s, query);
        QCOMPARE(query.sql(), u"UPDATE TRIG SET N = 0"_s);
        catalogue.GetQuery(u"QRY_RIGHE"_s, query, 2);
        QCOMPARE(query.sql(), u"DELETE FROM TRIG"_s);
        QVERIFY_THROWS_EXCEPTION(EAssertion, catalogue.GetQuery(u"QRY_RIGHE"_s, query, 1));
        // A missing statement is an assertion naming it, whichever way it is asked for.
        try {
            catalogue.GetQuery(u"qry_nessuna"_s, query, 0, u"SELECT"_s);
            QFAIL("no assertion");
        } catch (const EAssertion& e) {
            QCOMPARE(e.unitName(), u"hlmCQueryText"_s);
            QVERIFY2(e.message().startsWith(u"Query: QRY_NESSUNA"_s), qPrintable(e.message()));
        }
        QCOMPARE(catalogue.lastOperation(), u"QRY_NESSUNA"_s);
        try {
            catalogue.GetSQLText(u"QRY_ALTRA"_s, u"SELECT"_s);
            QFAIL("no assertion");
        } catch (const EAssertion& e) {
            QVERIFY2(e.message().startsWith(u"Query : QRY_ALTRA"_s), qPrintable(e.message()));
        }
        QueryDataset dataSet(m_connection);
        QVERIFY_THROWS_EXCEPTION(EAssertion,
                                 catalogue.GetCommandText(u"QRY_NESSUNA"_s, dataSet, u"SELECT"_s));
        QVERIFY(dataSet.commandText().isEmpty());
    }

    void engineVariantIsPreferred_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<bool>("pgOnlyFound");
        // clang-format off
        QTest::newRow("no engine") << "" << "SELECT FIRST 1 X FROM T" << false;
        QTest::newRow("QSQLITE") << "QSQLITE" << "SELECT FIRST 1 X FROM T" << false;
        QTest::newRow("QPSQL") << "QPSQL" << "SELECT X FROM T LIMIT 1" << true;
        // clang-format on
    }
    void engineVariantIsPreferred()
    {
        QFETCH(QString, engine);
        HlmQueryText catalogue;
        build(catalogue);
        catalogue.setEngine(engine);
        QTEST(catalogue.GetSQLText(u"QRY_LIMITE"_s, u"SELECT"_s), "limit");
        QTEST(catalogue.find(u"QRY_SOLO_PG"_s, u"SELECT"_s, 0).has_value(), "pgOnlyFound");
        // A statement without a variant serves every engine.
        QVERIFY(catalogue.find(u"QRY_ANA"_s, u"SELECT"_s, 0).has_value());
        // A loaded catalogue hands out the same texts as the one just built.
        HlmQueryText loaded;
        loaded.Load(m_dir.filePath(u"kbr_QueryText.cds"_s));
        loaded.setEngine(engine);
        QCOMPARE(loaded.records().recordCount(), 14); // one version row, 13 statement texts
        for (const auto& [name, type, index] :
             {std::tuple{"QRY_LIMITE", "SELECT", 0}, {"QRY_RIGHE", "EXECUTE", 2}, {"QRY_ANA", "INSERT", 3}})
            QCOMPARE(loaded.find(name, type, index), catalogue.find(name, type, index));
        HlmQueryText three;
        build(three, u"<statement name=\"QRY_X\" type=\"SELECT\"><sql>A</sql><sql engine=\"QPSQL\">B</sql>"
                     "<sql engine=\"QSQLITE\">C</sql></statement>"_s);
        three.setEngine(engine);
        QCOMPARE(three.GetSQLText(u"QRY_X"_s, u"SELECT"_s), engine.isEmpty()     ? u"A"_s
                                                            : engine == u"QPSQL" ? u"B"_s
                                                                                 : u"C"_s);
    }

    void readOnlyTargetIsKept()
    {
        const QString target = m_dir.filePath(u"sola_lettura.cds"_s);
        cu::test::writeFile(target, "vecchio");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        HlmQueryText catalogue;
        catalogue.BuildFromSource({cu::test::writeCatalogueSource(m_dir.path(), u"c.xml"_s, Statements)},
                                  target);
        QVERIFY(catalogue.find(u"QRY_ANA"_s, u"SELECT"_s, 0).has_value());
        QCOMPARE(cu::test::readFile(target), QByteArray("vecchio"));
    }

    void duplicateStatementNamesBothFiles()
    {
        const QString first = cu::test::writeCatalogueSource(
            m_dir.path(), u"uno.xml"_s,
            u"<statement name=\"QRY_X\" type=\"SELECT\"><sql>SELECT 1</sql></statement>"_s);
        const QString second = cu::test::writeCatalogueSource(
            m_dir.path(), u"due.xml"_s,
            u"<statement name=\"qry_x\" type=\"SELECT\" index=\"0\">\n<sql>SELECT 2</sql></statement>"_s);
        try {
            HlmQueryText().BuildFromSource({first, second}, m_dir.filePath(u"out.cds"_s));
            QFAIL("duplicate accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(first) && e.message().contains(second), qPrintable(e.message()));
            QVERIFY2(e.message().contains(u"QRY_X"_s), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(m_dir.filePath(u"out.cds"_s)));
    }

    void badSourcesAreRefused_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expected"); // part of the message
        // clang-format off
        QTest::newRow("type missing") << "<statement name=\"Q\"><sql>S</sql></statement>" << "\"type\" mancante";
        QTest::newRow("type unknown") << "<statement name=\"Q\" type=\"select\"><sql>S</sql></statement>" << "tipo \"select\"";
        QTest::newRow("name missing") << "<statement type=\"SELECT\"><sql>S</sql></statement>" << "\"name\" mancante";
        QTest::newRow("index negative") << "<statement name=\"Q\" type=\"SELECT\" index=\"-1\"><sql>S</sql></statement>" << "indice \"-1\"";
        QTest::newRow("engine unknown") << "<statement name=\"Q\" type=\"SELECT\"><sql engine=\"QMYSQL\">S</sql></statement>" << "motore \"QMYSQL\"";
        QTest::newRow("empty text") << "<statement name=\"Q\" type=\"SELECT\"><sql>  </sql></statement>" << "testo SQL vuoto";
        QTest::newRow("no text") << "<statement name=\"Q\" type=\"SELECT\"></statement>" << "alcun testo";
        QTest::newRow("misspelt attribute") << "<statement name=\"Q\" type=\"SELECT\" indx=\"1\"><sql>S</sql></statement>" << "\"indx\" non previsto";
        QTest::newRow("bad version") << "<version program=\"P\" minimum=\"1.x\"/>" << "versione minima \"1.x\"";
        QTest::newRow("two versions") << "<version program=\"P\" minimum=\"1.0.0\"/><version program=\"p\" minimum=\"2.0.0\"/>" << "VER_P";
        QTest::newRow("not xml") << "<statement" << "riga";
        // clang-format on
    }
    void badSourcesAreRefused()
    {
        QFETCH(QString, body);
        QFETCH(QString, expected);
        HlmQueryText catalogue;
        try {
            build(catalogue, body);
            QFAIL("source accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
            QVERIFY2(e.message().contains(u"catalogue.xml"_s), qPrintable(e.message()));
        }
    }

    void shippedCatalogueAcceptsThisProgram()
    {
        const QString cds = cu::test::buildRoot() + u"/etc/kbr/kbr_QueryText.cds"_s;
        QVERIFY2(QFile::exists(cds), "build the installation_tree target first");
        HlmQueryText catalogue;
        catalogue.SetCheckCertificate(true);
        catalogue.Load(cds);
        for (const QString& executable : {u"modellocu"_s, u"modellocu-gui"_s}) {
            ScriptedOperator op;
            QVERIFY2(catalogue.CheckVersion(u"Gestione compensi"_s, op,
                                            program(u"" MODELLOCU_VERSION ""_s, executable)),
                     qPrintable(op.texts(Severity::Error).join(u'\n')));
        }
        // The build output holds what the sources say.
        HlmQueryText fromSources;
        fromSources.BuildFromSource(cu::test::projectCatalogueSources(), m_dir.filePath(u"p.cds"_s));
        QCOMPARE(catalogue.records().recordCount(), fromSources.records().recordCount());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
