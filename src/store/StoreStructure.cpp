// Finding a structure and reading and writing its row counter.
#include "store/StoreStructure.h"

#include "foundation/database/Connection.h"
#include "foundation/database/Dialect.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString FindSql =
    QStringLiteral("SELECT cds.icdsid, cds.bcdsschema, cds.lcdsanagrafica, cds.lcdsfmapreadonly, "
                   "cds.scdsfieldmap, cds.icdsrigo"
                   " FROM tcds_struttura cds"
                   " WHERE COALESCE(cds.icdsanno, 0) <= ? AND (COALESCE(cds.icdsmese, 0) <= ? OR ? = -1)"
                   " AND lower(cds.scdsprogramma) = ? AND lower(cds.scdsnome) = ?"
                   " ORDER BY COALESCE(cds.icdsanno, 0) DESC, COALESCE(cds.icdsmese, 0) DESC");

} // namespace

StoreStructure StoreStructure::find(Connection& connection, const QString& programme,
                                    const QString& tableName, int year, int month)
{
    StoreStatement query(connection, FindSql);
    query.exec(
        {qlonglong(year), qlonglong(month), qlonglong(month), programme.toLower(), tableName.toLower()});
    if (!query.next())
        throw EZfError(QStringLiteral("Impossibile trovare il ClientDataSet (%1).").arg(tableName));
    StoreStructure structure;
    structure.id = query.value(0).toLongLong();
    structure.schema = query.value(1).toByteArray();
    structure.personTable = query.value(2).toInt() == 1;
    structure.mappingReadOnly = query.value(3).toInt() == 1;
    structure.mapping = PersonMapping::parse(query.value(4).toString());
    structure.rowCounter = query.value(5).toLongLong();
    return structure;
}

void StoreStructure::lockRowCounter(Connection& connection)
{
    StoreStatement query(connection, QStringLiteral("SELECT icdsrigo FROM tcds_struttura WHERE icdsid = ?") +
                                         connection.dialect().lockSuffix());
    rowCounter = query.scalar({id}).toLongLong();
}

void StoreStructure::saveRowCounter(Connection& connection) const
{
    StoreStatement update(connection,
                          QStringLiteral("UPDATE tcds_struttura SET icdsrigo = ? WHERE icdsid = ?"));
    update.exec({rowCounter, id});
}

} // namespace cu
