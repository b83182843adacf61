// Datasets that run a catalogue SELECT: typed fields, exact amounts and dates
// on every engine, parameters from the text's markers.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/catalogue/QueryDataset.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "support/CatalogueTestSupport.h"
#include "support/TestDatabases.h"

#include <QTemporaryDir>
#include <QTest>

using namespace cu;
using cu::test::TestDatabase;

namespace {

const QString Statements = QStringLiteral(R"(
  <statement name="QRY_TEST_COMPENSI" type="SELECT">
    <sql>SELECT C.ICOMID, C.SCOMDESC, C.FCOMIMPORTO, C.DCOMDATA FROM TTEST_COMPENSI C
         WHERE C.ICOMANNO = :ICOMANNO %s ORDER BY C.ICOMID</sql>
  </statement>
  <statement name="QRY_TEST_SOMMA" type="SELECT">
    <sql>SELECT SUM(FCOMIMPORTO) AS TOTALE, COUNT(*) AS RIGHE FROM TTEST_COMPENSI WHERE ICOMANNO = :ICOMANNO</sql>
    <sql engine="QPSQL">SELECT SUM(FCOMIMPORTO)::NUMERIC(18,4) AS TOTALE, COUNT(*) AS RIGHE FROM TTEST_COMPENSI
         WHERE ICOMANNO = :ICOMANNO</sql>
  </statement>
)");

void createTable(Connection& connection)
{
    SqlQuery query(connection);
    query.setSql(QStringLiteral("CREATE TABLE TTEST_COMPENSI (ICOMID INTEGER PRIMARY KEY, ICOMANNO "
                                "INTEGER, "
                                "SCOMDESC VARCHAR(40), FCOMIMPORTO NUMERIC(15,4), DCOMDATA DATE)"));
    query.execute();
    query.setSql(QStringLiteral("INSERT INTO TTEST_COMPENSI VALUES (:ID, :ANNO, "
                                ":DESCR, :IMPORTO, :DATA)"));
    const struct
    {
        int id;
        const char* description;
        const char* amount;
        QDate date;
    } rows[] = {{1, "Stipendio", "12345678.9012", QDate(2024, 1, 31)},
                {2, "Rimborso 'spese'", "0.1000", QDate(2024, 2, 29)},
                {3, nullptr, "-7", QDate()}};
    for (const auto& row : rows) {
        query.setParam(QStringLiteral("ID"), row.id);
        query.setParam(QStringLiteral("ANNO"), 2024);
        query.setParam(QStringLiteral("DESCR"),
                       row.description ? QVariant(QString::fromUtf8(row.description)) : QVariant());
        query.setParam(QStringLiteral("IMPORTO"), *Currency::parse(QString::fromLatin1(row.amount)));
        query.setParam(QStringLiteral("DATA"), row.date.isValid() ? QVariant(row.date) : QVariant());
        query.execute();
    }
}

} // namespace

class TestQueryDataset : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void parametersFollowTheText()
    {
        Connection connection; // the markers are read without a database
        QueryDataset dataSet(connection);
        dataSet.setCommandText(
            QStringLiteral("SELECT ':NO', X::TEXT FROM T WHERE A = :a AND B = :B OR A = :A"));
        QCOMPARE(dataSet.paramNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        dataSet.setParam(QStringLiteral("b"), 5);
        QCOMPARE(dataSet.param(QStringLiteral("B")), QVariant(5));
        QVERIFY_THROWS_EXCEPTION(EAssertion, dataSet.setParam(QStringLiteral("C"), 1));
        dataSet.setCommandText(QStringLiteral("SELECT 1 FROM T WHERE B = :B"));
        QVERIFY(dataSet.param(QStringLiteral("B")).isNull()); // a new text drops the old values
    }

    void openFillsTypedRows_data() { cu::test::TestDatabases::addEngineColumns(); }
    void openFillsTypedRows()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        createTable(connection);
        HlmQueryText catalogue;
        cu::test::buildCatalogue(catalogue, m_dir.path(), Statements);
        catalogue.setEngine(connection.params().driver);

        QueryDataset dataSet(connection);
        catalogue.GetCommandText(QStringLiteral("qry_test_compensi"), dataSet, QStringLiteral("SELECT"));
        HlmQueryText::FormatQuery(dataSet, {QStringLiteral(" AND C.ICOMID <> :ESCLUSO ")});
        QCOMPARE(dataSet.paramNames(), (QStringList{QStringLiteral("ICOMANNO"), QStringLiteral("ESCLUSO")}));
        dataSet.setParam(QStringLiteral("ICOMANNO"), 2024);
        dataSet.setParam(QStringLiteral("ESCLUSO"), 99);
        dataSet.open();

        QCOMPARE(dataSet.recordCount(), 3);
        QCOMPARE(dataSet.fields().at(dataSet.fieldIndex(u"ICOMID")).type, FieldType::Integer);
        QCOMPARE(dataSet.fields().at(dataSet.fieldIndex(u"SCOMDESC")).type, FieldType::String);
        QCOMPARE(dataSet.fields().at(dataSet.fieldIndex(u"FCOMIMPORTO")).type, FieldType::Currency);
        QCOMPARE(dataSet.fields().at(dataSet.fieldIndex(u"DCOMDATA")).type, FieldType::Date);
        QVERIFY(!dataSet.hasChanges());
        QCOMPARE(dataSet.recNo(), 0);

        QCOMPARE(dataSet.asInteger(u"ICOMID"), 1);
        QCOMPARE(dataSet.asCurrency(u"FCOMIMPORTO"), *Currency::parse(u"12345678.9012"));
        QCOMPARE(dataSet.asDate(u"DCOMDATA"), QDate(2024, 1, 31));
        dataSet.next();
        QCOMPARE(dataSet.asString(u"SCOMDESC"), QStringLiteral("Rimborso 'spese'"));
        QCOMPARE(dataSet.asCurrency(u"FCOMIMPORTO"), Currency::fromRaw(1000));
        QCOMPARE(dataSet.asDate(u"DCOMDATA"), QDate(2024, 2, 29));
        dataSet.next();
        QVERIFY(dataSet.isNull(u"SCOMDESC"));
        QVERIFY(dataSet.isNull(u"DCOMDATA"));
        QCOMPARE(dataSet.asCurrency(u"FCOMIMPORTO"), Currency::fromUnits(-7));

        // Opening again with another filter replaces the rows.
        dataSet.setParam(QStringLiteral("ESCLUSO"), 1);
        dataSet.open();
        QCOMPARE(dataSet.recordCount(), 2);
        connection.close();
    }

    void sumsAreExact_data() { cu::test::TestDatabases::addEngineColumns(); }
    void sumsAreExact()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        createTable(connection);
        HlmQueryText catalogue;
        cu::test::buildCatalogue(catalogue, m_dir.path(), Statements);
        catalogue.setEngine(connection.params().driver);

        QueryDataset dataSet(connection);
        catalogue.GetCommandText(QStringLiteral("QRY_TEST_SOMMA"), dataSet, QStringLiteral("SELECT"));
        dataSet.setParam(QStringLiteral("ICOMANNO"), 2024);
        dataSet.open();
        QCOMPARE(dataSet.recordCount(), 1);
        QCOMPARE(dataSet.asCurrency(u"TOTALE"), *Currency::parse(u"12345672.0012"));
        QCOMPARE(dataSet.asInteger(u"RIGHE"), 3);
        connection.close();
    }

    void faultsAreReported_data() { cu::test::TestDatabases::addEngineColumns(); }
    void faultsAreReported()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        createTable(connection);

        QueryDataset dataSet(connection);
        QVERIFY_THROWS_EXCEPTION(EAssertion, dataSet.open()); // no text
        dataSet.setCommandText(QStringLiteral("SELECT * FROM TTEST_COMPENSI WHERE ICOMANNO = :ICOMANNO"));
        QVERIFY_THROWS_EXCEPTION(EAssertion,
                                 dataSet.open()); // parameter without value
        dataSet.setCommandText(QStringLiteral("SELECT * FROM TTEST_NESSUNA"));
        try {
            dataSet.open();
            QFAIL("missing table accepted");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("ttest_nessuna"), Qt::CaseInsensitive),
                     qPrintable(e.message()));
            QCOMPARE(e.statement(), QStringLiteral("SELECT * FROM TTEST_NESSUNA"));
        }
        connection.close();
    }
};

QTEST_GUILESS_MAIN(TestQueryDataset)
#include "test_querydataset.moc"
