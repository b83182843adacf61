// Datasets that run a catalogue SELECT: typed fields, exact amounts and dates
// on every engine, parameters from the text's markers, reading again only
// when the key changes, and the legal-position filter the import appends.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/catalogue/QueryDataset.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/dataset/DatasetHelpers.h"
#include "foundation/operator/Errors.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

const QString Statements = uR"(
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

class TestQueryDataset : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Connection> m_connection;
    HlmQueryText m_catalogue;

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
        m_connection = std::make_unique<Connection>();
        QVERIFY2(m_connection->open(m_db->params()), qPrintable(m_connection->lastError()));
        cu::test::execute(*m_connection,
                          u"CREATE TABLE TTEST_COMPENSI (ICOMID INTEGER PRIMARY KEY, ICOMANNO "
                          "INTEGER, SCOMDESC VARCHAR(40), FCOMIMPORTO NUMERIC(15,4), DCOMDATA DATE)"_s);
        SqlQuery query(*m_connection);
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
        cu::test::buildCatalogue(m_catalogue, m_dir.path(), Statements);
        m_catalogue.setEngine(m_connection->params().driver);
    }
    void cleanup()
    {
        m_connection.reset();
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
        QueryDataset dataSet(*m_connection);
        m_catalogue.GetCommandText(u"qry_test_compensi"_s, dataSet, u"SELECT"_s);
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

        QueryDataset sum(*m_connection);
        m_catalogue.GetCommandText(u"QRY_TEST_SOMMA"_s, sum, u"SELECT"_s);
        sum.setParam(u"ICOMANNO"_s, 2024);
        sum.open();
        QCOMPARE(sum.asCurrency(u"TOTALE"), cu::test::money("12345672.0012"));
        QCOMPARE(sum.asInteger(u"RIGHE"), 3);
    }

    void faultsAreReported_data() { TestDatabases::addEngineColumns(); }
    void faultsAreReported()
    {
        QueryDataset dataSet(*m_connection);
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
                *m_connection,
                u"INSERT INTO TTEST_COMPENSI (ICOMID, ICOMANNO) VALUES (%1, %2)"_s.arg(id).arg(year));
        };
        QueryDataset query(*m_connection);
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

    void legalPositionFilters()
    {
        QCOMPARE(LegalPositionFilterIncluded(), u"REGS.ITNOID IN (10,14,15)"_s);
        QCOMPARE(LegalPositionFilterIncluded(u"14, 15"_s),
                 u"(REGS.ITNOID IN (10,14,15) AND NOT REGS.ITNOID IN (14, 15))"_s);
        // The list becomes SQL text: anything but integers is refused.
        for (const char* bad : {"14) OR (1=1", "14;DROP TABLE REGS", "a", ",", "14,"})
            QVERIFY_THROWS_EXCEPTION(EAssertion, LegalPositionFilterIncluded(QString::fromLatin1(bad)));
    }
};

QTEST_GUILESS_MAIN(TestQueryDataset)
#include "test_querydataset.moc"
