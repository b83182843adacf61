// Test databases with the field-value store installed.
#include "support/StoreFixture.h"

#include "certificates/StoreInstaller.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"

using namespace Qt::StringLiterals;

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
    QVector<FieldDef> all{{u"iAfiID"_s, FieldType::Integer, 0}, {u"iFisRigo"_s, FieldType::Integer, 0}};
    all += fields;
    dataset.setFields(all);
    StoreStatement insert(*m_connection,
                          u"INSERT INTO tcds_struttura (scdsprogramma, scdsnome, icdsanno, icdsmese,"
                          " bcdsschema, lcdsanagrafica, lcdsfmapreadonly, scdsfieldmap, icdsrigo)"
                          " VALUES ('eli', ?, ?, NULL, ?, ?, ?, ?, 0)"_s);
    insert.exec(
        {name, qlonglong(year), dataset.schemaBytes(), int(personTable), int(mappingReadOnly), fieldMap});
    StoreStatement id(*m_connection,
                      u"SELECT icdsid FROM tcds_struttura WHERE scdsnome = ? AND icdsanno = ?"_s);
    return id.scalar({name, qlonglong(year)}).toLongLong();
}

QStringList dumpStore(Connection& connection)
{
    QStringList lines;
    for (const QString& table :
         {u"tcds_struttura"_s, u"tcrf_crofiscale"_s, u"tafi_anafiscale"_s, u"tfis_datifiscali"_s}) {
        StoreStatement query(connection, u"SELECT * FROM "_s + table);
        query.exec({});
        while (query.next()) {
            QStringList values;
            for (int c = 0; c < query.columnCount(); ++c) {
                const QVariant value = query.value(c);
                values.append(value.isNull() ? u"<null>"_s : value.toString());
            }
            lines.append(table + u':' + values.join(u'|'));
        }
    }
    lines.sort();
    return lines;
}

int StoreFixture::count(const QString& table, const QString& where)
{
    StoreStatement query(*m_connection, u"SELECT COUNT(*) FROM %1%2"_s.arg(
                                            table, where.isEmpty() ? QString() : u" WHERE "_s + where));
    return query.scalar({}).toInt();
}

} // namespace cu::test
