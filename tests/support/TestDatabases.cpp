// Fresh test databases on SQLite and on the PostgreSQL test server.
#include "support/TestDatabases.h"

#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <atomic>

using namespace Qt::StringLiterals;

namespace cu::test {

namespace {

QString uniqueDatabaseName()
{
    static std::atomic<int> counter{0};
    return u"cu_test_%1_%2_%3"_s.arg(QCoreApplication::applicationPid())
        .arg(++counter)
        .arg(QRandomGenerator::global()->bounded(1000000));
}

QString engineCaption(const QString& engine)
{
    return engine == TestDatabases::Postgres ? u"PostgreSQL"_s : u"SQLite"_s;
}

void runOnServer(const ConnectionParams& admin, const QString& sql)
{
    Connection connection;
    connection.open(admin);
    SqlQuery query(connection);
    query.setSql(sql);
    query.execute();
}

} // namespace

void TestDatabases::addEngineColumns()
{
    QTest::addColumn<QString>("engine");
    for (const QString& engine : engines())
        QTest::newRow(qPrintable(engine)) << engine;
}

void TestDatabases::addEngineRow(const QString& engine)
{
    QTest::addColumn<QString>("engine");
    QTest::newRow(qPrintable(engine)) << engine;
}

QString TestDatabases::serverDescription()
{
    return qEnvironmentVariable("MODELLOCU_TEST_PG").trimmed();
}

bool TestDatabases::mustHaveEveryEngine()
{
    return qEnvironmentVariable("CI").compare(u"true"_s, Qt::CaseInsensitive) == 0;
}

ConnectionParams parsePostgresDescription(const QString& description)
{
    ConnectionParams params;
    params.driver = u"QPSQL"_s;
    params.database = u"postgres"_s;
    const QStringList pairs = description.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts);
    for (const QString& pair : pairs) {
        const QString key = pair.section(u'=', 0, 0).toLower();
        const QString value = pair.section(u'=', 1);
        if (key == u"host")
            params.host = value;
        else if (key == u"port")
            params.port = value.toInt();
        else if (key == u"user")
            params.user = value;
        else if (key == u"password")
            params.password = value;
        else if (key == u"dbname")
            params.database = value;
    }
    return params;
}

TestDatabase::TestDatabase(const QString& engine) : m_engine(engine)
{
    if (engine == TestDatabases::Sqlite)
        createSqlite();
    else if (engine == TestDatabases::Postgres)
        createPostgres();
    else
        m_reason = u"Motore di database sconosciuto: %1"_s.arg(engine);
}

TestDatabase::~TestDatabase()
{
    if (!m_available || m_engine != TestDatabases::Postgres)
        return;
    try {
        runOnServer(m_admin, u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(m_params.database));
    } catch (const Error& e) {
        qWarning("Database di test %s non eliminato: %s", qPrintable(m_params.database),
                 qPrintable(e.message()));
    }
}

QString TestDatabase::skipMessage() const
{
    return u"%1 non disponibile: test saltato (%2)"_s.arg(engineCaption(m_engine), m_reason);
}

QString TestDatabase::failMessage() const
{
    return u"%1 non disponibile (%2): con CI=true il test fallisce invece di essere saltato"_s.arg(
        engineCaption(m_engine), m_reason);
}

void TestDatabase::createSqlite()
{
    m_folder = std::make_unique<QTemporaryDir>();
    if (!m_folder->isValid()) {
        m_reason = u"Cartella temporanea non creata: %1"_s.arg(m_folder->errorString());
        return;
    }
    m_params.driver = u"QSQLITE"_s;
    m_params.database = m_folder->filePath(u"test.sqlite"_s);
    m_available = true;
}

void TestDatabase::createPostgres()
{
    const QString description = TestDatabases::serverDescription();
    if (description.isEmpty()) {
        m_reason = u"MODELLOCU_TEST_PG non impostata"_s;
        return;
    }
    m_admin = parsePostgresDescription(description);
    m_params = m_admin;
    m_params.database = uniqueDatabaseName();
    try {
        runOnServer(m_admin, u"CREATE DATABASE %1"_s.arg(m_params.database));
        m_available = true;
    } catch (const Error& e) {
        m_reason = e.message();
    }
}

} // namespace cu::test
