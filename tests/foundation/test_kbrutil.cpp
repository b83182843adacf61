// The payroll helpers: shared catalogue queries on every engine, code copying
// and integer normalisation.
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "foundation/installation/KbrUtil.h"
#include "foundation/operator/Errors.h"
#include "support/CatalogueTestSupport.h"
#include "support/TestDatabases.h"

#include <QTemporaryDir>
#include <QTest>

using namespace cu;
using cu::test::TestDatabase;

namespace {

// Test texts under the names the helpers ask for, over small test tables.
const QString Statements = QStringLiteral(R"(
  <statement name="QRY_NAF_EFFETTUATO" type="SELECT">
    <sql>SELECT COUNT(*) AS TOTALE FROM TTEST_LIQ WHERE IANFID = :IANFID</sql>
  </statement>
  <statement name="QRY_ACOM_FROM_ANAPER" type="SELECT">
    <sql>SELECT IACOMID FROM TTEST_ACOM WHERE IANAPERID = :IANAPERID AND IANFID = :IANFID</sql>
  </statement>
  <statement name="QRY_MES" type="SELECT"><sql>SELECT SMESLDESC FROM TTEST_MES WHERE IMESID = :IMESID</sql></statement>
  <statement name="QRY_COT_COS" type="SELECT">
    <sql>SELECT SCOTLDESC, ICOTFONDAMENTALE FROM TTEST_COT WHERE ICOTID = :ICOTID</sql>
  </statement>
)");

void run(Connection& connection, const QString& sql)
{
    SqlQuery query(connection);
    query.setSql(sql);
    query.execute();
}

void createTables(Connection& connection)
{
    run(connection, QStringLiteral("CREATE TABLE TTEST_LIQ (IANFID INTEGER)"));
    run(connection, QStringLiteral("INSERT INTO TTEST_LIQ VALUES (55)"));
    run(connection, QStringLiteral("INSERT INTO TTEST_LIQ VALUES (55)"));
    run(connection, QStringLiteral("CREATE TABLE TTEST_ACOM (IACOMID INTEGER, "
                                   "IANAPERID INTEGER, IANFID INTEGER)"));
    run(connection, QStringLiteral("INSERT INTO TTEST_ACOM VALUES (900, 12, 55)"));
    run(connection, QStringLiteral("INSERT INTO TTEST_ACOM VALUES (901, 12, 56)"));
    run(connection, QStringLiteral("CREATE TABLE TTEST_MES (IMESID INTEGER, SMESLDESC VARCHAR(20))"));
    run(connection, QStringLiteral("INSERT INTO TTEST_MES VALUES (2, 'Febbraio')"));
    run(connection, QStringLiteral("CREATE TABLE TTEST_COT (ICOTID INTEGER, SCOTLDESC "
                                   "VARCHAR(40), ICOTFONDAMENTALE INTEGER)"));
    run(connection, QStringLiteral("INSERT INTO TTEST_COT VALUES (31, 'Compensi accessori', 4)"));
}

} // namespace

class TestKbrUtil : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void payrollQueries_data() { cu::test::TestDatabases::addEngineColumns(); }
    void payrollQueries()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        createTables(connection);
        HlmQueryText catalogue;
        cu::test::buildCatalogue(catalogue, m_dir.path(), Statements);
        KbrUtil util(catalogue);
        SqlQuery query(connection);

        QVERIFY(util.PayRunDone(query, 55));
        QVERIFY(!util.PayRunDone(query, 50));
        QCOMPARE(util.CompensationOfPerson(query, 12, QStringLiteral("2024")), 900);
        QCOMPARE(util.CompensationOfPerson(query, 12, QStringLiteral("2025")), 901);
        QCOMPARE(util.CompensationOfPerson(query, 13, QStringLiteral("2024")), 0);
        QCOMPARE(util.MonthDescription(query, 2), QStringLiteral("Febbraio"));
        QCOMPARE(util.MonthDescription(query, 13), QString());
        util.OpenCostItem(query, 31);
        QVERIFY(query.isOpen());
        QCOMPARE(query.asString(QStringLiteral("SCOTLDESC")), QStringLiteral("Compensi accessori"));
        QCOMPARE(query.asInteger(QStringLiteral("ICOTFONDAMENTALE")), 4);
        QCOMPARE(catalogue.lastOperation(), QStringLiteral("QRY_COT_COS"));
        query.close();
        connection.close();
    }

    void foldersBesideTheExecutable()
    {
        const Folders folders(m_dir.path());
        QCOMPARE(KbrUtil::EtcDir(folders), m_dir.path() + QStringLiteral("/etc/kbr/"));
        QCOMPARE(KbrUtil::UsrDir(folders), m_dir.path() + QStringLiteral("/usr/kbr/"));
    }

    void copyNumericCodes_data()
    {
        QTest::addColumn<QString>("keyField");
        QTest::newRow("by position") << "IACOMID";
        QTest::newRow("by person") << "IANAID";
    }
    void copyNumericCodes()
    {
        QFETCH(QString, keyField);
        Dataset dataSet;
        dataSet.setFields({{keyField, FieldType::Integer, 0},
                           {QStringLiteral("SANACAGCODE"), FieldType::String, 10},
                           {QStringLiteral("CODICE"), FieldType::Integer, 0}});
        dataSet.open();
        const struct
        {
            int key;
            const char* code;
        } rows[] = {{3, "0042"}, {1, "ABC"}, {2, "0"}, {4, " 17 "}, {5, "-3"}, {6, ""}};
        for (const auto& row : rows) {
            dataSet.append();
            dataSet.setValue(keyField, row.key);
            dataSet.setValue(u"SANACAGCODE", QString::fromLatin1(row.code));
            dataSet.post();
        }
        KbrUtil::CopyNumericCodes(dataSet);
        QCOMPARE(dataSet.indexFieldNames(), keyField);
        QList<QVariant> codes;
        for (int row = 0; row < dataSet.recordCount(); ++row) {
            dataSet.setRecNo(row);
            codes.append(dataSet.value(u"CODICE"));
        }
        // In key order 1..6: only the numbers greater than 0 were copied.
        QCOMPARE(codes, (QList<QVariant>{QVariant(), QVariant(), QVariant(qint64(42)), QVariant(qint64(17)),
                                         QVariant(), QVariant()}));
    }

    void normaliseInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("leading zeros") << "0042"
                                       << "42";
        QTest::newRow("blanks") << "  7 "
                                << "7";
        QTest::newRow("negative") << "-05"
                                  << "-5";
        QTest::newRow("zero") << "000"
                              << "0";
        QTest::newRow("letters") << "4A"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void normaliseInteger()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        if (expected.isEmpty())
            QVERIFY_THROWS_EXCEPTION(EZfError, KbrUtil::NormaliseInteger(text));
        else
            QCOMPARE(KbrUtil::NormaliseInteger(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestKbrUtil)
#include "test_kbrutil.moc"
