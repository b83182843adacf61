// The connection on every engine: opening, nested transactions and the
// transaction guard, queries with named parameters and exact amounts, the
// prepared statements kept per connection, and key generation (counters per
// name, the floor of stored keys, rollback, two connections at once).
#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/FrameworkSchema.h"
#include "foundation/database/IdGenerator.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/database/StatementCache.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"
#include "support/TestDatabases.h"
#include "support/TestSupport.h"

#include <QThread>
#include <QtTest>
#include <algorithm>
#include <stdexcept>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::execute;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

void insertRow(Connection& connection, int id)
{
    SqlQuery query(connection);
    query.setSql(u"INSERT INTO TTST_PROVA (ITSTID, STSTNOME) VALUES (:ID, :NOME)"_s);
    query.setParam(u"ID"_s, id);
    query.setParam(u"NOME"_s, u"riga %1"_s.arg(id));
    query.execute();
}

qint64 countRows(Connection& connection)
{
    return cu::test::scalar(connection, u"SELECT COUNT(*) FROM TTST_PROVA"_s);
}

QList<int> readAll(StoreStatement& statement)
{
    QList<int> values;
    while (statement.next())
        values.append(statement.value(0).toInt());
    return values;
}

const QString Numbers = u"SELECT ITSTID FROM TTST_PROVA WHERE ITSTID >= ? ORDER BY ITSTID"_s;

// Draws keys on a connection of its own (connections belong to the thread
// that made them), every other one inside a transaction.
struct KeyDrawer
{
    ConnectionParams params;
    QList<qint64> keys;
    QString failure;

    void run(int count)
    {
        try {
            Connection connection;
            connection.open(params);
            for (int i = 0; i < count; ++i) {
                if (i % 2 == 0) {
                    keys.append(GenerateID(connection, u"TTST_PROVA"_s, u"ITSTID"_s));
                    continue;
                }
                Transaction transaction(connection);
                keys.append(GenerateID(connection, u"TTST_PROVA"_s, u"ITSTID"_s));
                transaction.commit();
            }
        } catch (const Error& e) {
            failure = e.message();
        }
    }
};

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<Connection> m_observer; // sees only committed rows

private slots:
    // A test whose rows are named after an engine gets a fresh database of
    // that engine with the test table and the key counters.
    void init()
    {
        const QString engine = QString::fromLatin1(QTest::currentDataTag()).section(u' ', 0, 0);
        if (!TestDatabases::engines().contains(engine))
            return;
        m_db = std::make_unique<TestDatabase>(engine);
        CU_REQUIRE_DATABASE(*m_db);
        m_connection = std::make_unique<Connection>();
        m_observer = std::make_unique<Connection>();
        m_connection->open(m_db->params());
        m_observer->open(m_db->params());
        execute(*m_connection, u"CREATE TABLE TTST_PROVA (ITSTID INTEGER PRIMARY KEY, STSTNOME VARCHAR(40),"
                               " FTSTIMPORTO NUMERIC(18,4), DTSTGIORNO DATE)"_s);
        FrameworkSchema::install(*m_connection);
    }
    void cleanup()
    {
        m_observer.reset();
        m_connection.reset();
        m_db.reset();
    }

    void openReportsFailure_data() { TestDatabases::addEngineColumns(); }
    void openReportsFailure()
    {
        ConnectionParams bad = m_db->params();
        bad.database = m_db->engine() == TestDatabases::Sqlite ? u"/cartella/che/non/esiste/db.sqlite"_s
                                                               : u"cu_database_che_non_esiste"_s;
        Connection connection;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, connection.open(bad));
        QVERIFY(!connection.isConnected());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, connection.startTransaction());
        bad.driver = u"QODBC_INESISTENTE"_s;
        try {
            connection.open(bad);
            QFAIL("an unknown driver must be refused");
        } catch (const DatabaseError& e) {
            QVERIFY(e.message().contains(u"QODBC_INESISTENTE"_s));
        }

        QCOMPARE(m_connection->dialect().name(), m_db->engine());
        QCOMPARE(m_connection->params().parameterList().value(u"Database"_s).toString(),
                 m_db->params().database);
        QVERIFY(!m_connection->params().parameterList().contains(u"Password"_s));
    }

    void sqliteSessionSettings_data() { TestDatabases::addEngineRow(TestDatabases::Sqlite); }
    void sqliteSessionSettings()
    {
        QCOMPARE(cu::test::scalar(*m_connection, u"PRAGMA foreign_keys"_s), 1);
        SqlQuery query(*m_connection);
        query.setSql(u"PRAGMA journal_mode"_s);
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.value(u"journal_mode"_s).toString(), u"wal"_s);
    }

    // Only the outermost commit commits; an inner rollback rolls back all.
    void nestedTransactions_data() { TestDatabases::addEngineColumns(); }
    void nestedTransactions()
    {
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

        c.startTransaction();
        insertRow(c, 3);
        c.startTransaction();
        insertRow(c, 4);
        c.rollback();
        // What the outer level writes after the inner rollback is lost too,
        // and its commit says so instead of pretending success.
        insertRow(c, 5);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, c.commit());
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(c), 2);
        QCOMPARE(countRows(*m_observer), 2);
        // The connection is usable again afterwards.
        c.startTransaction();
        insertRow(c, 6);
        c.commit();
        QCOMPARE(countRows(*m_observer), 3);
    }

    void guardRollsBackUnlessCommitted_data() { TestDatabases::addEngineColumns(); }
    void guardRollsBackUnlessCommitted()
    {
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
        insertRow(c, 1);
        try {
            Transaction transaction(c);
            insertRow(c, 2);
            insertRow(c, 1); // duplicate key
            transaction.commit();
            QFAIL("duplicate key accepted");
        } catch (const DatabaseError& e) {
            QVERIFY(e.statement().contains(u"INSERT INTO TTST_PROVA"_s));
        }
        QVERIFY(!c.inTransaction());
        QCOMPARE(countRows(*m_observer), 1);
    }

    void namedParameters_data() { TestDatabases::addEngineColumns(); }
    void namedParameters()
    {
        for (int id = 1; id <= 5; ++id)
            insertRow(*m_connection, id);
        SqlQuery query(*m_connection);
        // One name twice in different case, a marker-like text inside quotes
        // and comments whose marker-like words are no parameters.
        query.setSql(u"SELECT ITSTID, ':NOME' AS LETTERALE FROM TTST_PROVA -- :COMMENTO\n"
                     "WHERE ITSTID >= :Limite AND ITSTID <= :limite + 1 /* :ALTRO */ ORDER BY ITSTID"_s);
        QCOMPARE(query.parameterNames(), QStringList{u"LIMITE"_s});
        // An unknown name, or a parameter left without a value, is a programming error.
        QVERIFY_THROWS_EXCEPTION(EAssertion, query.setParam(u"LIMIT"_s, 3));
        QVERIFY_THROWS_EXCEPTION(EAssertion, query.open());
        query.setParam(u"LIMITE"_s, 3);
        query.open();
        QList<qint64> ids;
        while (query.next()) {
            ids.append(query.asInteger(u"itstid"_s));
            QCOMPARE(query.asString(u"LETTERALE"_s), u":NOME"_s);
        }
        QCOMPARE(ids, (QList<qint64>{3, 4}));
        // Re-running the prepared statement with another value.
        query.setParam(u"limite"_s, 5);
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asInteger(u"ITSTID"_s), 5);
        QVERIFY_THROWS_EXCEPTION(EAssertion, query.value(u"CAMPO_INESISTENTE"_s));
        QVERIFY(!query.next());
        query.setParam(u"LIMITE"_s, 99);
        query.open();
        QVERIFY(query.isEmpty());
    }

    void nullsAndEngineValues_data() { TestDatabases::addEngineColumns(); }
    void nullsAndEngineValues()
    {
        SqlQuery query(*m_connection);
        query.setSql(u"INSERT INTO TTST_PROVA (ITSTID, STSTNOME, FTSTIMPORTO, DTSTGIORNO)"
                     " VALUES (:ID, :NOME, :IMPORTO, :GIORNO)"_s);
        query.setParam(u"ID"_s, 1);
        query.setParam(u"NOME"_s, QVariant());
        query.setParam(u"IMPORTO"_s, QVariant());
        query.setParam(u"GIORNO"_s, QVariant());
        query.execute();
        QCOMPARE(query.numRowsAffected(), 1);
        query.setParam(u"ID"_s, 2);
        query.setParam(u"IMPORTO"_s, Currency::fromUnits(12));
        query.setParam(u"GIORNO"_s, QDate(2024, 2, 29));
        query.execute();
        query.setSql(u"SELECT * FROM TTST_PROVA WHERE STSTNOME IS NULL AND FTSTIMPORTO IS NULL"_s);
        query.open();
        QVERIFY(query.next());
        QVERIFY(query.asCurrency(u"FTSTIMPORTO"_s).isZero());
        QVERIFY(!query.asDate(u"DTSTGIORNO"_s).isValid());
        QCOMPARE(query.asString(u"STSTNOME"_s), QString());
        query.setSql(
            u"SELECT FTSTIMPORTO, DTSTGIORNO, FTSTIMPORTO / 3 AS TERZO FROM TTST_PROVA WHERE ITSTID = 2"_s);
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asDate(u"DTSTGIORNO"_s), QDate(2024, 2, 29));
        QCOMPARE(query.asInteger(u"FTSTIMPORTO"_s), 12);
        // Many decimals from a division: rounded to the fourth.
        QCOMPARE(query.asCurrency(u"TERZO"_s).toString(4), u"4.0000"_s);
    }

    void currencyRoundTrip_data()
    {
        QTest::addColumn<QString>("amount");
        for (const QString& engine : TestDatabases::engines())
            for (const char* amount : {"0.0001", "12345678901.2345", "-0.5", "0.1", "-99999999.9999"})
                QTest::addRow("%s %s", qPrintable(engine), amount) << QString::fromLatin1(amount);
    }
    void currencyRoundTrip()
    {
        QFETCH(QString, amount);
        const Currency value = *Currency::parse(amount);
        SqlQuery query(*m_connection);
        query.setSql(u"INSERT INTO TTST_PROVA (ITSTID, FTSTIMPORTO) VALUES (:ID, :IMPORTO)"_s);
        query.setParam(u"ID"_s, 1);
        query.setParam(u"IMPORTO"_s, value);
        query.execute();
        query.setParam(u"ID"_s, 2);
        query.setParam(u"IMPORTO"_s, QVariant::fromValue(value));
        query.execute();
        query.setSql(u"SELECT FTSTIMPORTO FROM TTST_PROVA WHERE FTSTIMPORTO = :IMPORTO ORDER BY 1"_s);
        query.setParam(u"IMPORTO"_s, value);
        query.open();
        for (int row = 0; row < 2; ++row) {
            QVERIFY(query.next());
            QCOMPARE(query.asCurrency(u"FTSTIMPORTO"_s), value);
        }
        query.setSql(u"SELECT SUM(FTSTIMPORTO) AS TOTALE FROM TTST_PROVA"_s);
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asCurrency(u"TOTALE"_s), value * 2);
    }

    void sqliteRealIsRoundedToFourDecimals_data() { TestDatabases::addEngineRow(TestDatabases::Sqlite); }
    void sqliteRealIsRoundedToFourDecimals()
    {
        execute(*m_connection, u"CREATE TABLE TREA (FVALORE REAL)"_s);
        execute(*m_connection, u"INSERT INTO TREA VALUES (0.1 + 0.2), (1e-5), (0.00005), (-2.5e-5)"_s);
        SqlQuery query(*m_connection);
        query.setSql(u"SELECT FVALORE FROM TREA ORDER BY ROWID"_s);
        query.open();
        QStringList read;
        while (query.next())
            read.append(query.asCurrency(u"FVALORE"_s).toString(4));
        QCOMPARE(read, (QStringList{u"0.3000"_s, u"0.0000"_s, u"0.0001"_s, u"0.0000"_s}));
    }

    void badSqlRaisesDatabaseError_data() { TestDatabases::addEngineColumns(); }
    void badSqlRaisesDatabaseError()
    {
        SqlQuery query(*m_connection);
        query.setSql(u"SELECT * FROM TABELLA_INESISTENTE WHERE X = :X"_s);
        query.setParam(u"X"_s, 1);
        try {
            query.open();
            QFAIL("no error");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(u"tabella_inesistente"_s, Qt::CaseInsensitive),
                     qPrintable(e.message()));
            QCOMPARE(e.statement(), query.sql());
        }
        query.setSql(u"SELEC 1"_s);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, query.execute());
        // A failed statement outside a transaction leaves the connection usable.
        insertRow(*m_connection, 1);
        QCOMPARE(countRows(*m_connection), 1);
    }

    void postgresCastIsNotAMarker_data() { TestDatabases::addEngineRow(TestDatabases::Postgres); }
    void postgresCastIsNotAMarker()
    {
        SqlQuery query(*m_connection);
        query.setSql(u"SELECT :VALORE::numeric(18,4) * 2 AS DOPPIO"_s);
        QCOMPARE(query.parameterNames(), QStringList{u"VALORE"_s});
        query.setParam(u"VALORE"_s, Currency::fromRaw(5));
        query.open();
        QVERIFY(query.next());
        QCOMPARE(query.asCurrency(u"DOPPIO"_s).raw(), 10);
    }

    // On SQLite, where two results of one connection can be read in turns.
    void statementsOfOneTextInUseAtOnce_data() { TestDatabases::addEngineRow(TestDatabases::Sqlite); }
    void statementsOfOneTextInUseAtOnce()
    {
        for (int id = 1; id <= 3; ++id)
            insertRow(*m_connection, id);
        {
            StoreStatement outer(*m_connection, Numbers);
            outer.exec({1});
            QVERIFY(outer.next());
            QCOMPARE(outer.value(0).toInt(), 1);
            // The same text again while the first is half read.
            StoreStatement inner(*m_connection, Numbers);
            inner.exec({2});
            QCOMPARE(readAll(inner), QList<int>({2, 3}));
            QCOMPARE(readAll(outer), QList<int>({2, 3}));
        }
        // Given back and taken again: runs with new values, from the start.
        StoreStatement again(*m_connection, Numbers);
        again.exec({3});
        QCOMPARE(readAll(again), QList<int>({3}));
        // A query of a closed connection is never handed to the reopened one.
        auto stale = std::make_unique<StoreStatement>(*m_connection, Numbers);
        stale->exec({1});
        m_connection->close();
        m_connection->open(m_db->params());
        stale.reset();
        QVERIFY(!m_connection->statementCache().take(Numbers));
        StoreStatement fresh(*m_connection, Numbers);
        fresh.exec({2});
        QCOMPARE(readAll(fresh), QList<int>({2, 3}));
    }

    void countersArePerName_data() { TestDatabases::addEngineColumns(); }
    void countersArePerName()
    {
        Connection& c = *m_connection;
        QCOMPARE(GenerateID(c, u"TAFI_ANAFISCALE"_s), 1);
        QCOMPARE(GenerateID(c, u"TAFI_ANAFISCALE"_s), 2);
        QCOMPARE(GenerateID(c, u"TCUD_DATICUD"_s), 1);
        QCOMPARE(GenerateID(c, u"tafi_anafiscale"_s), 3);
        QVERIFY_THROWS_EXCEPTION(EAssertion, GenerateID(c, u"  "_s));
        // Installing the schema again keeps the counters; a rolled-back key comes again.
        FrameworkSchema::install(c);
        {
            Transaction transaction(c);
            QCOMPARE(GenerateID(c, u"TCUD_DATICUD"_s), 2);
        }
        QCOMPARE(GenerateID(c, u"TCUD_DATICUD"_s), 2);
        TestDatabase bare(TestDatabases::Sqlite);
        Connection withoutSchema;
        withoutSchema.open(bare.params());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, GenerateID(withoutSchema, u"X"_s));
    }

    void keysStayAboveStoredKeys_data() { TestDatabases::addEngineColumns(); }
    void keysStayAboveStoredKeys()
    {
        Connection& c = *m_connection;
        const QString table = u"TTST_PROVA"_s;
        const QString key = u"ITSTID"_s;
        QCOMPARE(GenerateID(c, table, key), 1);
        insertRow(c, 41);
        QCOMPARE(GenerateID(c, table, key), 42);
        QCOMPARE(GenerateID(c, table, key), 43);
        insertRow(c, 100);
        QCOMPARE(GenerateID(c, table, key), 101);
        QVERIFY_THROWS_EXCEPTION(EAssertion, GenerateID(c, u"TTST; DROP TABLE X"_s, key));
        QVERIFY_THROWS_EXCEPTION(EAssertion, GenerateID(c, table, u"ITSTID)"_s));
    }

    void concurrentCallersGetDistinctKeys_data() { TestDatabases::addEngineColumns(); }
    void concurrentCallersGetDistinctKeys()
    {
        constexpr int PerDrawer = 150;
        KeyDrawer first{m_db->params(), {}, {}};
        KeyDrawer second{m_db->params(), {}, {}};
        std::unique_ptr<QThread> a(QThread::create([&first] { first.run(PerDrawer); }));
        std::unique_ptr<QThread> b(QThread::create([&second] { second.run(PerDrawer); }));
        a->start();
        b->start();
        QVERIFY(a->wait(120000) && b->wait(120000));
        QVERIFY2(first.failure.isEmpty(), qPrintable(first.failure));
        QVERIFY2(second.failure.isEmpty(), qPrintable(second.failure));
        QList<qint64> all = first.keys + second.keys;
        std::sort(all.begin(), all.end());
        QCOMPARE(all.size(), 2 * PerDrawer);
        QVERIFY(std::adjacent_find(all.begin(), all.end()) == all.end());
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "test_connection.moc"
