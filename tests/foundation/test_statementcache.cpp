// Reuse of prepared statements on a connection: a text is prepared once, two
// statements of one text in use at once never share a query, and a query of
// a closed connection is never handed to the next one.
#include "foundation/database/Connection.h"
#include "foundation/database/StatementCache.h"
#include "foundation/database/StoreStatement.h"
#include "support/TestDatabases.h"

#include <QSqlQuery>
#include <QTest>

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

namespace {

const QString Numbers = QStringLiteral("SELECT n FROM tnum WHERE n >= ? ORDER BY n");

void createNumbers(Connection& connection)
{
    QSqlQuery(QStringLiteral("CREATE TABLE tnum (n INTEGER)"), connection.database());
    for (int n = 1; n <= 3; ++n)
        StoreStatement(connection, QStringLiteral("INSERT INTO tnum VALUES (?)")).exec({n});
}

QList<int> readAll(StoreStatement& statement)
{
    QList<int> values;
    while (statement.next())
        values.append(statement.value(0).toInt());
    return values;
}

} // namespace

class TestStatementCache : public QObject
{
    Q_OBJECT
private slots:
    // On SQLite, where two results of one connection can be read in turns
    // (PostgreSQL's driver reads one forward-only result at a time).
    void statementsOfOneTextInUseAtOnce()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection connection;
        connection.open(db.params());
        createNumbers(connection);
        {
            StoreStatement outer(connection, Numbers);
            outer.exec({1});
            QVERIFY(outer.next());
            QCOMPARE(outer.value(0).toInt(), 1);
            // The same text again while the first is half read.
            StoreStatement inner(connection, Numbers);
            inner.exec({2});
            QCOMPARE(readAll(inner), QList<int>({2, 3}));
            QCOMPARE(readAll(outer), QList<int>({2, 3}));
        }
        // Given back and taken again: runs with new values, from the start.
        StoreStatement again(connection, Numbers);
        again.exec({3});
        QCOMPARE(readAll(again), QList<int>({3}));
        QSqlQuery(QStringLiteral("DROP TABLE tnum"), connection.database());
    }

    void reopenedConnectionPreparesAgain()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection connection;
        connection.open(db.params());
        createNumbers(connection);
        auto stale = std::make_unique<StoreStatement>(connection, Numbers);
        stale->exec({1});
        connection.close();
        connection.open(db.params());
        stale.reset(); // a query of the closed connection: not kept
        QVERIFY(!connection.statementCache().take(Numbers));
        StoreStatement fresh(connection, Numbers);
        fresh.exec({2});
        QCOMPARE(readAll(fresh), QList<int>({2, 3}));
    }
};

QTEST_GUILESS_MAIN(TestStatementCache)
#include "test_statementcache.moc"
