// The connection, its nested transactions, the transaction guard and queries
// with named parameters, on every engine.
#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "support/TestDatabases.h"

#include <QtTest>
#include <stdexcept>

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

const QString CreateTable = QStringLiteral("CREATE TABLE TTST_PROVA (ITSTID INTEGER PRIMARY KEY, "
                                           "STSTNOME VARCHAR(40), FTSTIMPORTO NUMERIC(18,4), "
                                           "DTSTGIORNO DATE)");

void exec(Connection& connection, const QString& sql)
{
    SqlQuery query(connection);
    query.setSql(sql);
    query.execute();
}

void insertRow(Connection& connection, int id)
{
    SqlQuery query(connection);
    query.setSql(QStringLiteral("INSERT INTO TTST_PROVA (ITSTID, STSTNOME) VALUES (:ID, :NOME)"));
    query.setParam(QStringLiteral("ID"), id);
    query.setParam(QStringLiteral("NOME"), QStringLiteral("riga %1").arg(id));
    query.execute();
}

qint64 countRows(Connection& connection)
{
    SqlQuery query(connection);
    query.setSql(QStringLiteral("SELECT COUNT(*) AS N FROM TTST_PROVA"));
    query.open();
    query.next();
    return query.asInteger(QStringLiteral("N"));
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Connection> m_connection;
    // A second connection to the same database sees only committed rows.
    std::unique_ptr<Connection> m_observer;

    bool openFresh(const QString& engine)
    {
        m_db = std::make_unique<TestDatabase>(engine);
        if (!m_db->available())
            return false;
        m_connection = std::make_unique<Connection>();
        m_observer = std::make_unique<Connection>();
        m_connection->open(m_db->params());
        m_observer->open(m_db->params());
        exec(*m_connection, CreateTable);
        return true;
    }

private slots:
    void cleanup()
    {
        m_observer.reset();
        m_connection.reset();
        m_db.reset();
    }

    void openReportsFailure_data() { TestDatabases::addEngineColumns(); }
    void openReportsFailure()
    {
        QFETCH(QString, engine);
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        ConnectionParams bad = db.params();
        if (engine == TestDatabases::Sqlite)
            bad.database = QStringLiteral("/cartella/che/non/esiste/db.sqlite");
        else
            bad.database = QStringLiteral("cu_database_che_non_esiste");
        Connection connection;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, connection.open(bad));
        QVERIFY(!connection.isConnected());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, connection.startTransaction());

        connection.open(db.params());
        QVERIFY(connection.isConnected());
        QCOMPARE(connection.dialect().name(), engine);
        QCOMPARE(connection.params().parameterList().value(QStringLiteral("Database")).toString(),
                 db.params().database);
        QVERIFY(!connection.params().parameterList().contains(QStringLiteral("Password")));
    }

    void unknownDriverIsRefused()
    {
        ConnectionParams params;
        params.driver = QStringLiteral("QODBC_INESISTENTE");
        params.database = QStringLiteral("x");
        Connection connection;
        try {
            connection.open(params);
            QFAIL("an unknown driver must be refused");
        } catch (const DatabaseError& e) {
            QVERIFY(e.message().contains(QStringLiteral("QODBC_INESISTENTE")));
        }
    }

    void sqliteSessionSettings()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection connection;
        connection.open(db.params());
        SqlQuery query(connection);
        query.setSql(QStringLiteral("PRAGMA foreign_keys"));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.value(QStringLiteral("foreign_keys")).toInt(), 1);
        query.setSql(QStringLiteral("PRAGMA journal_mode"));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.value(QStringLiteral("journal_mode")).toString(), QStringLiteral("wal"));
    }

    void onlyOutermostCommitCommits_data() { TestDatabases::addEngineColumns(); }
    void onlyOutermostCommitCommits()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        c.startTransaction();
        insertRow(c, 1);
        c.startTransaction();
        insertRow(c, 2);
        c.commit();
        QVERIFY(c.inTransaction());
        QCOMPARE(countRows(*m_observer), 0);
        c.commit();
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(*m_observer), 2);
    }

    void innerRollbackRollsBackAll_data() { TestDatabases::addEngineColumns(); }
    void innerRollbackRollsBackAll()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        c.startTransaction();
        insertRow(c, 1);
        c.startTransaction();
        insertRow(c, 2);
        c.rollback();
        // What the outer level writes after the inner rollback is lost too,
        // and its commit says so instead of pretending success.
        insertRow(c, 3);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, c.commit());
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(c), 0);
        QCOMPARE(countRows(*m_observer), 0);

        // The connection is usable again afterwards.
        c.startTransaction();
        insertRow(c, 4);
        c.commit();
        QCOMPARE(countRows(*m_observer), 1);
    }

    void guardRollsBackUnlessCommitted_data() { TestDatabases::addEngineColumns(); }
    void guardRollsBackUnlessCommitted()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        try {
            Transaction outer(c);
            insertRow(c, 1);
            Transaction inner(c);
            insertRow(c, 2);
            throw std::runtime_error("interrotto");
        } catch (const std::runtime_error&) {
        }
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(c), 0);

        {
            Transaction forgotten(c);
            insertRow(c, 3);
        }
        QCOMPARE(countRows(c), 0);

        {
            Transaction kept(c);
            insertRow(c, 4);
            kept.commit();
        }
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(*m_observer), 1);
    }

    void failedStatementInsideGuardLeavesNothing_data() { TestDatabases::addEngineColumns(); }
    void failedStatementInsideGuardLeavesNothing()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        insertRow(c, 1);
        try {
            Transaction transaction(c);
            insertRow(c, 2);
            insertRow(c, 1); // duplicate key
            transaction.commit();
            QFAIL("duplicate key accepted");
        } catch (const DatabaseError& e) {
            QVERIFY(!e.message().isEmpty());
            QVERIFY(e.statement().contains(QStringLiteral("INSERT INTO TTST_PROVA")));
        }
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(*m_observer), 1);
    }

    void namedParameters_data() { TestDatabases::addEngineColumns(); }
    void namedParameters()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        for (int id = 1; id <= 5; ++id)
            insertRow(c, id);

        SqlQuery query(c);
        // One name twice in different case, a marker-like text inside quotes
        // and comments whose marker-like words are no parameters.
        query.setSql(QStringLiteral("SELECT ITSTID, ':NOME' AS LETTERALE FROM TTST_PROVA -- :COMMENTO\n"
                                    "WHERE ITSTID >= :Limite AND ITSTID <= :limite + 1 /* :ALTRO */ "
                                    "ORDER BY ITSTID"));
        QCOMPARE(query.parameterNames(), QStringList{QStringLiteral("LIMITE")});
        query.setParam(QStringLiteral("LIMITE"), 3);
        query.open();
        QVERIFY(!query.isEmpty());
        QList<qint64> ids;
        while (query.next()) {
            ids.append(query.asInteger(QStringLiteral("itstid")));
            QCOMPARE(query.asString(QStringLiteral("LETTERALE")), QStringLiteral(":NOME"));
        }
        QCOMPARE(ids, (QList<qint64>{3, 4}));

        // Re-running the prepared statement with another value.
        query.setParam(QStringLiteral("limite"), 5);
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asInteger(QStringLiteral("ITSTID")), 5);
        QVERIFY(!query.next());

        query.setParam(QStringLiteral("LIMITE"), 99);
        query.open();
        QVERIFY(query.isEmpty());
        QVERIFY(!query.next());
    }

    void parameterMistakesAreAssertions()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection c;
        c.open(db.params());
        exec(c, CreateTable);
        SqlQuery query(c);
        query.setSql(QStringLiteral("SELECT * FROM TTST_PROVA WHERE ITSTID = :ID AND STSTNOME = :NOME"));
        QVERIFY_THROWS_EXCEPTION(EAssertion, query.setParam(QStringLiteral("IDD"), 1));
        query.setParam(QStringLiteral("ID"), 1);
        QVERIFY_THROWS_EXCEPTION(EAssertion, query.open());
        query.setParam(QStringLiteral("NOME"), QVariant());
        query.open();
        QVERIFY(query.isEmpty());
        QVERIFY_THROWS_EXCEPTION(EAssertion, query.value(QStringLiteral("CAMPO_INESISTENTE")));
    }

    void nullParameterStoresNull_data() { TestDatabases::addEngineColumns(); }
    void nullParameterStoresNull()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        SqlQuery query(*m_connection);
        query.setSql(QStringLiteral("INSERT INTO TTST_PROVA (ITSTID, STSTNOME, FTSTIMPORTO, DTSTGIORNO) "
                                    "VALUES (1, :NOME, :IMPORTO, :GIORNO)"));
        query.setParam(QStringLiteral("NOME"), QVariant());
        query.setParam(QStringLiteral("IMPORTO"), QVariant());
        query.setParam(QStringLiteral("GIORNO"), QVariant());
        query.execute();
        QCOMPARE(query.numRowsAffected(), 1);
        query.setSql(
            QStringLiteral("SELECT * FROM TTST_PROVA WHERE STSTNOME IS NULL AND FTSTIMPORTO IS NULL"));
        query.open();
        QVERIFY(query.next());
        QVERIFY(query.asCurrency(QStringLiteral("FTSTIMPORTO")).isZero());
        QVERIFY(!query.asDate(QStringLiteral("DTSTGIORNO")).isValid());
        QCOMPARE(query.asString(QStringLiteral("STSTNOME")), QString());
    }

    void currencyRoundTrip_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("amount");
        const QStringList amounts{QStringLiteral("0.0001"),  QStringLiteral("12345678901.2345"),
                                  QStringLiteral("-0.5"),    QStringLiteral("0.1"),
                                  QStringLiteral("1234.56"), QStringLiteral("-99999999.9999"),
                                  QStringLiteral("100")};
        for (const QString& engine : TestDatabases::engines()) {
            for (const QString& amount : amounts)
                QTest::addRow("%s %s", qPrintable(engine), qPrintable(amount)) << engine << amount;
        }
    }
    void currencyRoundTrip()
    {
        QFETCH(QString, engine);
        QFETCH(QString, amount);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        const Currency value = *Currency::parse(amount);
        SqlQuery query(*m_connection);
        query.setSql(QStringLiteral("INSERT INTO TTST_PROVA (ITSTID, FTSTIMPORTO) VALUES (:ID, :IMPORTO)"));
        query.setParam(QStringLiteral("ID"), 1);
        query.setParam(QStringLiteral("IMPORTO"), value);
        query.execute();
        query.setParam(QStringLiteral("ID"), 2);
        query.setParam(QStringLiteral("IMPORTO"), QVariant::fromValue(value));
        query.execute();

        query.setSql(
            QStringLiteral("SELECT FTSTIMPORTO FROM TTST_PROVA WHERE FTSTIMPORTO = :IMPORTO ORDER BY 1"));
        query.setParam(QStringLiteral("IMPORTO"), value);
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asCurrency(QStringLiteral("FTSTIMPORTO")).raw(), value.raw());
        QVERIFY(query.next());
        QCOMPARE(query.asCurrency(QStringLiteral("FTSTIMPORTO")).raw(), value.raw());

        query.setSql(QStringLiteral("SELECT SUM(FTSTIMPORTO) AS TOTALE FROM TTST_PROVA"));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asCurrency(QStringLiteral("TOTALE")).raw(), (value * 2).raw());
    }

    void sumOfSmallAmountsIsExact_data() { TestDatabases::addEngineColumns(); }
    void sumOfSmallAmountsIsExact()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        SqlQuery insert(*m_connection);
        insert.setSql(QStringLiteral("INSERT INTO TTST_PROVA (ITSTID, FTSTIMPORTO) VALUES (:ID, :IMPORTO)"));
        Transaction transaction(*m_connection);
        for (int id = 1; id <= 1000; ++id) {
            insert.setParam(QStringLiteral("ID"), id);
            insert.setParam(QStringLiteral("IMPORTO"), Currency::fromRaw(1001)); // 0.1001
            insert.execute();
        }
        transaction.commit();
        SqlQuery sum(*m_connection);
        sum.setSql(QStringLiteral("SELECT SUM(FTSTIMPORTO) AS TOTALE, COUNT(*) AS N FROM TTST_PROVA"));
        sum.open();
        QVERIFY(sum.next());
        QCOMPARE(sum.asCurrency(QStringLiteral("TOTALE")).toString(4), QStringLiteral("100.1000"));
        QCOMPARE(sum.asInteger(QStringLiteral("N")), 1000);
    }

    void readingConvertsEngineValues_data() { TestDatabases::addEngineColumns(); }
    void readingConvertsEngineValues()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        SqlQuery query(*m_connection);
        query.setSql(QStringLiteral("INSERT INTO TTST_PROVA (ITSTID, FTSTIMPORTO, DTSTGIORNO) "
                                    "VALUES (1, :IMPORTO, :GIORNO)"));
        query.setParam(QStringLiteral("IMPORTO"), Currency::fromUnits(12));
        query.setParam(QStringLiteral("GIORNO"), QDate(2024, 2, 29));
        query.execute();
        query.setSql(
            QStringLiteral("SELECT FTSTIMPORTO, DTSTGIORNO, FTSTIMPORTO / 3 AS TERZO FROM TTST_PROVA"));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asDate(QStringLiteral("DTSTGIORNO")), QDate(2024, 2, 29));
        QCOMPARE(query.asInteger(QStringLiteral("FTSTIMPORTO")), 12);
        // Many decimals from a division: rounded to the fourth.
        QCOMPARE(query.asCurrency(QStringLiteral("TERZO")).toString(4), QStringLiteral("4.0000"));
    }

    void sqliteRealIsRoundedToFourDecimals()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection c;
        c.open(db.params());
        exec(c, QStringLiteral("CREATE TABLE TREA (FVALORE REAL)"));
        exec(c, QStringLiteral("INSERT INTO TREA VALUES (0.1 + 0.2), (1e-5), (0.00005), (-2.5e-5)"));
        SqlQuery query(c);
        query.setSql(QStringLiteral("SELECT FVALORE FROM TREA ORDER BY ROWID"));
        query.open();
        QStringList read;
        while (query.next())
            read.append(query.asCurrency(QStringLiteral("FVALORE")).toString(4));
        QCOMPARE(read, (QStringList{QStringLiteral("0.3000"), QStringLiteral("0.0000"),
                                    QStringLiteral("0.0001"), QStringLiteral("0.0000")}));
    }

    void badSqlRaisesDatabaseError_data() { TestDatabases::addEngineColumns(); }
    void badSqlRaisesDatabaseError()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        SqlQuery query(*m_connection);
        query.setSql(QStringLiteral("SELECT * FROM TABELLA_INESISTENTE WHERE X = :X"));
        query.setParam(QStringLiteral("X"), 1);
        try {
            query.open();
            QFAIL("no error");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("tabella_inesistente"), Qt::CaseInsensitive),
                     qPrintable(e.message()));
            QCOMPARE(e.statement(), query.sql());
        }
        query.setSql(QStringLiteral("SELEC 1"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, query.execute());
        // A failed statement outside a transaction leaves the connection usable.
        insertRow(*m_connection, 1);
        QCOMPARE(countRows(*m_connection), 1);
    }

    void postgresCastIsNotAMarker()
    {
        TestDatabase db(TestDatabases::Postgres);
        CU_REQUIRE_DATABASE(db);
        Connection c;
        c.open(db.params());
        SqlQuery query(c);
        query.setSql(QStringLiteral("SELECT :VALORE::numeric(18,4) * 2 AS DOPPIO"));
        QCOMPARE(query.parameterNames(), QStringList{QStringLiteral("VALORE")});
        query.setParam(QStringLiteral("VALORE"), Currency::fromRaw(5));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asCurrency(QStringLiteral("DOPPIO")).raw(), 10);
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
