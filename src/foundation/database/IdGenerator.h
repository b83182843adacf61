// New unique keys: one counter per name in the framework's table
// TZFID_GENERATORE (FrameworkSchema installs it). The counter moves inside the
// caller's transaction, if any, so a rolled-back key is handed out again and
// concurrent callers wait for each other's commit (PostgreSQL locks the
// counter row; SQLite writers hold the database lock from the start of their
// transaction). Without a transaction the single statement is atomic.
#pragma once

#include <QString>

namespace cu {

class Connection;

// The next key of the counter called name (compared without regard to case);
// the first key is 1.
qint64 GenerateID(Connection& connection, const QString& name);

// The next key for the column keyColumn of tableName (the counter is named
// after the table), never lower than the largest key already stored there:
// rows written without the generator cannot collide with a new key.
// tableName and keyColumn must be plain identifiers (EAssertion otherwise).
qint64 GenerateID(Connection& connection, const QString& tableName, const QString& keyColumn);

} // namespace cu
