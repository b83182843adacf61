// Creating the store and installing the certificate schemas.
#include "certificates/StoreInstaller.h"

#include "certificates/CertificateSchema.h"
#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/FrameworkSchema.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/database/SqlScript.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

#include <QFile>

namespace cu {

namespace {

// Runs a file as one statement (a function whose body holds semicolons).
void runWhole(Connection& connection, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EZfError(
            QStringLiteral("Impossibile leggere lo script SQL %1: %2").arg(path, file.errorString()));
    SqlQuery query(connection);
    query.setSql(QString::fromUtf8(file.readAll()));
    query.execute();
}

struct StoredSchema
{
    qint64 id = 0;
    QByteArray schema;
    bool personTable = false;
    bool readOnly = false;
    QString fieldMap;
};

// What the schema file says for one table, as TCDS_STRUTTURA keeps it.
StoredSchema wanted(const TableSchema& table)
{
    Dataset dataset;
    dataset.setFields(table.fieldDefs());
    return {0, dataset.schemaBytes(), table.personTable, table.fieldMapReadOnly, table.fieldMap};
}

bool sameAs(const StoredSchema& a, const StoredSchema& b)
{
    return a.schema == b.schema && a.personTable == b.personTable && a.readOnly == b.readOnly &&
           a.fieldMap == b.fieldMap;
}

} // namespace

QString StoreInstaller::scriptPath(const QString& engine)
{
    return QStringLiteral(":/db/store/%1.sql").arg(engine);
}

void StoreInstaller::createTables(Connection& connection)
{
    const QString engine = connection.dialect().name();
    FrameworkSchema::install(connection);
    SqlScript::runFile(connection, scriptPath(engine));
    if (engine == u"postgresql")
        runWhole(connection, scriptPath(QStringLiteral("postgresql-functions")));
}

StoreInstaller::Outcome StoreInstaller::installSchemas(Connection& connection,
                                                       const CertificateSchema& schema)
{
    Outcome outcome;
    Transaction transaction(connection);
    StoreStatement find(connection,
                        QStringLiteral("SELECT icdsid, bcdsschema, lcdsanagrafica, lcdsfmapreadonly,"
                                       " scdsfieldmap FROM tcds_struttura"
                                       " WHERE lower(scdsprogramma) = ? AND lower(scdsnome) = ?"
                                       " AND COALESCE(icdsanno, 0) = ? AND icdsmese IS NULL"));
    StoreStatement insert(connection,
                          QStringLiteral("INSERT INTO tcds_struttura (scdsprogramma, scdsnome, icdsanno,"
                                         " icdsmese, bcdsschema, lcdsanagrafica, lcdsfmapreadonly,"
                                         " scdsfieldmap, icdsrigo) VALUES (?, ?, ?, NULL, ?, ?, ?, ?, 0)"));
    StoreStatement update(connection,
                          QStringLiteral("UPDATE tcds_struttura SET bcdsschema = ?, lcdsanagrafica = ?,"
                                         " lcdsfmapreadonly = ?, scdsfieldmap = ? WHERE icdsid = ?"));
    for (const TableSchema& table : schema.tables()) {
        const StoredSchema target = wanted(table);
        find.exec({schema.programme().toLower(), table.name.toLower(), qlonglong(schema.year())});
        if (!find.next()) {
            insert.exec({schema.programme(), table.name, qlonglong(schema.year()), target.schema,
                         int(target.personTable), int(target.readOnly), target.fieldMap});
            ++outcome.created;
            continue;
        }
        const StoredSchema stored{find.value(0).toLongLong(), find.value(1).toByteArray(),
                                  find.value(2).toInt() == 1, find.value(3).toInt() == 1,
                                  find.value(4).toString()};
        if (sameAs(stored, target)) {
            ++outcome.unchanged;
            continue;
        }
        update.exec(
            {target.schema, int(target.personTable), int(target.readOnly), target.fieldMap, stored.id});
        ++outcome.updated;
    }
    transaction.commit();
    return outcome;
}

StoreInstaller::Outcome StoreInstaller::install(Connection& connection, const CertificateSchema& schema)
{
    createTables(connection);
    return installSchemas(connection, schema);
}

} // namespace cu
