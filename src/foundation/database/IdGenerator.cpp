// Key generation through the counter table.
#include "foundation/database/IdGenerator.h"

#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"

#include <QRegularExpression>

namespace cu {

namespace {

// One statement both engines run atomically: it creates the counter at its
// first key or moves it on, and returns the key.
const QString NextOfCounter =
    QStringLiteral("INSERT INTO TZFID_GENERATORE (SZFIDNOME, IZFIDVALORE) VALUES (?, 1) "
                   "ON CONFLICT (SZFIDNOME) DO UPDATE SET IZFIDVALORE = TZFID_GENERATORE.IZFIDVALORE + 1 "
                   "RETURNING IZFIDVALORE");

// As above, the floor being the largest stored key + 1 ("WHERE 1 = 1" lets
// SQLite tell the SELECT from the ON CONFLICT clause).
const QString NextOfTable =
    QStringLiteral("INSERT INTO TZFID_GENERATORE (SZFIDNOME, IZFIDVALORE) "
                   "SELECT ?, COALESCE(MAX(%2), 0) + 1 FROM %1 WHERE 1 = 1 "
                   "ON CONFLICT (SZFIDNOME) DO UPDATE SET IZFIDVALORE = CASE "
                   "WHEN excluded.IZFIDVALORE > TZFID_GENERATORE.IZFIDVALORE THEN excluded.IZFIDVALORE "
                   "ELSE TZFID_GENERATORE.IZFIDVALORE + 1 END "
                   "RETURNING IZFIDVALORE");

void requireIdentifier(const QString& text)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identifier.match(text).hasMatch())
        throw EAssertion(
            QStringLiteral("Nome di tabella o colonna non valido per GenerateID: \"%1\"").arg(text),
            QStringLiteral("IdGenerator"));
}

qint64 runCounter(Connection& connection, const QString& sql, const QString& name)
{
    if (name.trimmed().isEmpty())
        throw EAssertion(QStringLiteral("GenerateID senza nome del contatore"),
                         QStringLiteral("IdGenerator"));
    // scalar() ends the statement: SQLite refuses to commit while a writing
    // statement is still open.
    StoreStatement query(connection, sql);
    const QVariant key = query.scalar({name.trimmed().toUpper()});
    if (key.isNull())
        throw DatabaseError(QStringLiteral("Nessuna chiave generata per %1").arg(name), sql);
    return key.toLongLong();
}

} // namespace

qint64 GenerateID(Connection& connection, const QString& name)
{
    return runCounter(connection, NextOfCounter, name);
}

qint64 GenerateID(Connection& connection, const QString& tableName, const QString& keyColumn)
{
    requireIdentifier(tableName);
    requireIdentifier(keyColumn);
    return runCounter(connection, NextOfTable.arg(tableName, keyColumn), tableName);
}

} // namespace cu
