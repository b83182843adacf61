// The database engines a test runs on: always a fresh SQLite file, and
// PostgreSQL when MODELLOCU_TEST_PG describes a server ("host=... port=...
// user=... dbname=..."), on which every test case gets a database of its own,
// dropped at the end. Without a server the PostgreSQL cases are skipped, or
// fail when CI=true, so that a CI run never passes without them.
// A test names its engines with addEngineColumns() or addEngineRow() in its
// _data slot and requires the database with CU_REQUIRE_DATABASE.
#pragma once

#include "foundation/database/Connection.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace cu::test {

class TestDatabases
{
public:
    static inline const QString Sqlite = QStringLiteral("sqlite");
    static inline const QString Postgres = QStringLiteral("postgresql");

    // Adds the column "engine" (QString) and one row per engine, named after it.
    static void addEngineColumns();
    // Adds the column "engine" and the row of one engine, for a test the other engine has no part in.
    static void addEngineRow(const QString& engine);
    static QStringList engines() { return {Sqlite, Postgres}; }
    // The server description of MODELLOCU_TEST_PG, empty when unset.
    static QString serverDescription();
    // True when a missing engine must fail the test rather than skip it.
    static bool mustHaveEveryEngine();
};

// A fresh, empty database of one engine, removed when the object ends.
// Connections to it must be closed before that.
class TestDatabase
{
public:
    explicit TestDatabase(const QString& engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& engine() const { return m_engine; }
    bool available() const { return m_available; }
    // Why the engine is not available (empty when it is).
    const QString& unavailableReason() const { return m_reason; }
    // "PostgreSQL non disponibile: test saltato (...)" and the CI variant.
    QString skipMessage() const;
    QString failMessage() const;
    // Parameters that open the fresh database.
    const ConnectionParams& params() const { return m_params; }

private:
    void createSqlite();
    void createPostgres();

    QString m_engine;
    bool m_available = false;
    QString m_reason;
    ConnectionParams m_params;
    ConnectionParams m_admin; // the server's own database, for create and drop
    std::unique_ptr<QTemporaryDir> m_folder;
};

// Parameters of the server database named in description ("key=value ...").
ConnectionParams parsePostgresDescription(const QString& description);

} // namespace cu::test

// Skips the test when its engine is missing, or fails it under CI=true.
#define CU_REQUIRE_DATABASE(db)                                                                              \
    do {                                                                                                     \
        if (!(db).available()) {                                                                             \
            if (cu::test::TestDatabases::mustHaveEveryEngine())                                              \
                QFAIL(qPrintable((db).failMessage()));                                                       \
            QSKIP(qPrintable((db).skipMessage()));                                                           \
        }                                                                                                    \
    } while (false)
