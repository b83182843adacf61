// Test databases with the field-value store installed.
#include "support/StoreFixture.h"

#include "certificates/StoreInstaller.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"

namespace cu::test {

StoreFixture::StoreFixture(const QString& engine) : m_database(engine)
{
    if (!m_database.available())
        return;
    m_connection = std::make_unique<Connection>();
    m_connection->open(m_database.params());
    StoreInstaller::createTables(*m_connection);
}

StoreFixture::~StoreFixture()
{
    if (m_connection)
        m_connection->close();
}

qint64 StoreFixture::addStructure(const QString& name, int year, const QVector<FieldDef>& fields,
                                  bool personTable, bool mappingReadOnly, const QString& fieldMap)
{
    Dataset dataset;
    QVector<FieldDef> all{{QStringLiteral("iAfiID"), FieldType::Integer, 0},
                          {QStringLiteral("iFisRigo"), FieldType::Integer, 0}};
    all += fields;
    dataset.setFields(all);
    StoreStatement insert(
        *m_connection,
        QStringLiteral("INSERT INTO tcds_struttura (scdsprogramma, scdsnome, icdsanno, icdsmese,"
                       " bcdsschema, lcdsanagrafica, lcdsfmapreadonly, scdsfieldmap, icdsrigo)"
                       " VALUES ('eli', ?, ?, NULL, ?, ?, ?, ?, 0)"));
    insert.exec(
        {name, qlonglong(year), dataset.schemaBytes(), int(personTable), int(mappingReadOnly), fieldMap});
    StoreStatement id(
        *m_connection,
        QStringLiteral("SELECT icdsid FROM tcds_struttura WHERE scdsnome = ? AND icdsanno = ?"));
    return id.scalar({name, qlonglong(year)}).toLongLong();
}

QStringList dumpStore(Connection& connection)
{
    QStringList lines;
    for (const QString& table : {QStringLiteral("tcds_struttura"), QStringLiteral("tcrf_crofiscale"),
                                 QStringLiteral("tafi_anafiscale"), QStringLiteral("tfis_datifiscali")}) {
        StoreStatement query(connection, QStringLiteral("SELECT * FROM ") + table);
        query.exec({});
        while (query.next()) {
            QStringList values;
            for (int c = 0; c < query.columnCount(); ++c) {
                const QVariant value = query.value(c);
                values.append(value.isNull() ? QStringLiteral("<null>") : value.toString());
            }
            lines.append(table + u':' + values.join(u'|'));
        }
    }
    lines.sort();
    return lines;
}

int StoreFixture::count(const QString& table, const QString& where)
{
    StoreStatement query(*m_connection,
                         QStringLiteral("SELECT COUNT(*) FROM %1%2")
                             .arg(table, where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    return query.scalar({}).toInt();
}

} // namespace cu::test
