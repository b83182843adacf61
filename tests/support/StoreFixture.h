// Test help for the field-value store: an open connection to a fresh test
// database of one engine with the store's tables, structures of test tables,
// and a dump of the store's tables for before/after comparisons.
#pragma once

#include "foundation/database/Connection.h"
#include "foundation/dataset/Dataset.h"
#include "support/TestDatabases.h"

#include <QStringList>
#include <memory>

namespace cu::test {

// Every row of the four store tables of a database, as sorted text lines.
QStringList dumpStore(Connection& connection);

class StoreFixture
{
public:
    explicit StoreFixture(const QString& engine);
    ~StoreFixture();

    // False (with the reason in database().unavailableReason()) when the
    // engine cannot be had.
    bool available() const { return m_database.available(); }
    const TestDatabase& database() const { return m_database; }
    Connection& connection() { return *m_connection; }

    // Stores a structure for programme "eli" (month none) with the given
    // fields (iAfiID and iFisRigo are put first); returns its id.
    qint64 addStructure(const QString& name, int year, const QVector<FieldDef>& fields,
                        bool personTable = false, bool mappingReadOnly = false,
                        const QString& fieldMap = QString());

    // Every row of the four store tables, as sorted text lines.
    QStringList dump() { return dumpStore(*m_connection); }
    // Rows of a table (count).
    int count(const QString& table, const QString& where = QString());

private:
    TestDatabase m_database;
    std::unique_ptr<Connection> m_connection;
};

} // namespace cu::test

// Skips (or fails under CI=true) when the fixture's engine is missing, and
// creates the store on it.
#define CU_REQUIRE_STORE(fixture) CU_REQUIRE_DATABASE((fixture).database())
