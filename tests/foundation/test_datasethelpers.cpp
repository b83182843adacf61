// The helper that decides when a query is read again.
#include "foundation/catalogue/QueryDataset.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "support/TestDatabases.h"

#include <QTest>

using namespace cu;
using cu::test::TestDatabase;
using cu::test::TestDatabases;

class TestDatasetHelpers : public QObject
{
    Q_OBJECT
private slots:
    // The query is read again only when its key changes, when forced, or
    // when it has nothing to show: a row inserted meanwhile tells.
    void reopenOnlyWhenTheKeyChanges()
    {
        TestDatabase db(TestDatabases::Sqlite);
        Connection connection;
        connection.open(db.params());
        SqlQuery sql(connection);
        sql.setSql(QStringLiteral("CREATE TABLE TRIGHE (IANAID INTEGER, SNOTA VARCHAR(10))"));
        sql.execute();
        const auto insert = [&](int id, const char* note) {
            sql.setSql(QStringLiteral("INSERT INTO TRIGHE VALUES (%1, '%2')").arg(id).arg(note));
            sql.execute();
        };
        insert(1, "prima");

        QueryDataset query(connection);
        query.setCommandText(QStringLiteral("SELECT IANAID, SNOTA FROM TRIGHE WHERE IANAID = :IANAID"));
        ReopenIfChanged(query, QStringLiteral("IANAID"), false, 1);
        QCOMPARE(query.recordCount(), 1);

        insert(1, "seconda");
        ReopenIfChanged(query, QStringLiteral("IANAID"), false, 1);
        QCOMPARE(query.recordCount(), 1); // same key: not read again
        ReopenIfChanged(query, QStringLiteral("IANAID"), true, 1);
        QCOMPARE(query.recordCount(), 2); // forced

        ReopenIfChanged(query, QStringLiteral("IANAID"), false, 2);
        QCOMPARE(query.recordCount(), 0);
        insert(2, "terza");
        // An empty result is always read again, even for the same key.
        ReopenIfChanged(query, QStringLiteral("IANAID"), false, 2);
        QCOMPARE(query.recordCount(), 1);
        QCOMPARE(query.value(u"SNOTA").toString(), QStringLiteral("terza"));
    }
};

QTEST_GUILESS_MAIN(TestDatasetHelpers)
#include "test_datasethelpers.moc"
