// Key generation: counters per name, the floor of existing keys, rollback,
// and distinct keys for two connections asking at the same time.
#include "foundation/database/Connection.h"
#include "foundation/database/FrameworkSchema.h"
#include "foundation/database/IdGenerator.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "support/TestDatabases.h"

#include <QThread>
#include <QtTest>
#include <algorithm>

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

void exec(Connection& connection, const QString& sql)
{
    SqlQuery query(connection);
    query.setSql(sql);
    query.execute();
}

// Opens its own connection (connections belong to the thread that made them)
// and draws count keys, every other one inside a transaction.
class KeyDrawer
{
public:
    KeyDrawer(ConnectionParams params, int count) : m_params(std::move(params)), m_count(count) {}

    void run()
    {
        try {
            Connection connection;
            connection.open(m_params);
            for (int i = 0; i < m_count; ++i) {
                if (i % 2 == 0) {
                    m_keys.append(
                        GenerateID(connection, QStringLiteral("TTST_PERSONE"), QStringLiteral("ITSTID")));
                    continue;
                }
                Transaction transaction(connection);
                m_keys.append(
                    GenerateID(connection, QStringLiteral("TTST_PERSONE"), QStringLiteral("ITSTID")));
                transaction.commit();
            }
        } catch (const Error& e) {
            m_failure = e.message();
        }
    }

    const QList<qint64>& keys() const { return m_keys; }
    const QString& failure() const { return m_failure; }

private:
    ConnectionParams m_params;
    int m_count;
    QList<qint64> m_keys;
    QString m_failure;
};

} // namespace

class TestIdGenerator : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<Connection> m_connection;

    bool openFresh(const QString& engine)
    {
        m_db = std::make_unique<TestDatabase>(engine);
        if (!m_db->available())
            return false;
        m_connection = std::make_unique<Connection>();
        m_connection->open(m_db->params());
        FrameworkSchema::install(*m_connection);
        exec(*m_connection, QStringLiteral("CREATE TABLE TTST_PERSONE (ITSTID BIGINT PRIMARY KEY)"));
        return true;
    }

private slots:
    void cleanup()
    {
        m_connection.reset();
        m_db.reset();
    }

    void countersArePerName_data() { TestDatabases::addEngineColumns(); }
    void countersArePerName()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        QCOMPARE(GenerateID(c, QStringLiteral("TAFI_ANAFISCALE")), 1);
        QCOMPARE(GenerateID(c, QStringLiteral("TAFI_ANAFISCALE")), 2);
        QCOMPARE(GenerateID(c, QStringLiteral("TCUD_DATICUD")), 1);
        QCOMPARE(GenerateID(c, QStringLiteral("tafi_anafiscale")), 3);
        QVERIFY_THROWS_EXCEPTION(EAssertion, GenerateID(c, QStringLiteral("  ")));
    }

    void installTwiceKeepsCounters_data() { TestDatabases::addEngineColumns(); }
    void installTwiceKeepsCounters()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        QCOMPARE(GenerateID(*m_connection, QStringLiteral("X")), 1);
        FrameworkSchema::install(*m_connection);
        QCOMPARE(GenerateID(*m_connection, QStringLiteral("X")), 2);
    }

    void withoutSchemaIsDatabaseError()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection c;
        c.open(db.params());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, GenerateID(c, QStringLiteral("X")));
    }

    void keysStayAboveStoredKeys_data() { TestDatabases::addEngineColumns(); }
    void keysStayAboveStoredKeys()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        const QString table = QStringLiteral("TTST_PERSONE");
        const QString key = QStringLiteral("ITSTID");
        QCOMPARE(GenerateID(c, table, key), 1);
        exec(c, QStringLiteral("INSERT INTO TTST_PERSONE VALUES (41)"));
        QCOMPARE(GenerateID(c, table, key), 42);
        QCOMPARE(GenerateID(c, table, key), 43);
        exec(c, QStringLiteral("INSERT INTO TTST_PERSONE VALUES (100)"));
        QCOMPARE(GenerateID(c, table, key), 101);
        QVERIFY_THROWS_EXCEPTION(EAssertion, GenerateID(c, QStringLiteral("TTST; DROP TABLE X"), key));
        QVERIFY_THROWS_EXCEPTION(EAssertion, GenerateID(c, table, QStringLiteral("ITSTID)")));
    }

    void rolledBackKeyComesAgain_data() { TestDatabases::addEngineColumns(); }
    void rolledBackKeyComesAgain()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        Connection& c = *m_connection;
        QCOMPARE(GenerateID(c, QStringLiteral("X")), 1);
        {
            Transaction transaction(c);
            QCOMPARE(GenerateID(c, QStringLiteral("X")), 2);
        }
        Transaction transaction(c);
        QCOMPARE(GenerateID(c, QStringLiteral("X")), 2);
        transaction.commit();
    }

    void concurrentCallersGetDistinctKeys_data() { TestDatabases::addEngineColumns(); }
    void concurrentCallersGetDistinctKeys()
    {
        QFETCH(QString, engine);
        if (!openFresh(engine))
            CU_REQUIRE_DATABASE(*m_db);
        constexpr int PerDrawer = 150;
        KeyDrawer first(m_db->params(), PerDrawer);
        KeyDrawer second(m_db->params(), PerDrawer);
        std::unique_ptr<QThread> a(QThread::create([&first] { first.run(); }));
        std::unique_ptr<QThread> b(QThread::create([&second] { second.run(); }));
        a->start();
        b->start();
        QVERIFY(a->wait(120000));
        QVERIFY(b->wait(120000));
        QVERIFY2(first.failure().isEmpty(), qPrintable(first.failure()));
        QVERIFY2(second.failure().isEmpty(), qPrintable(second.failure()));

        QList<qint64> all = first.keys() + second.keys();
        std::sort(all.begin(), all.end());
        QCOMPARE(all.size(), 2 * PerDrawer);
        QVERIFY(std::adjacent_find(all.begin(), all.end()) == all.end());
        QCOMPARE(all.first(), 1);
        QCOMPARE(all.last(), 2 * PerDrawer);
    }
};

QTEST_GUILESS_MAIN(TestIdGenerator)
#include "test_idgenerator.moc"
