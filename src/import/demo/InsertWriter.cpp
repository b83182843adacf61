// Prepared INSERTs for the bulk load of the demo archive.
#include "import/demo/InsertWriter.h"

#include "foundation/Connection.h"
#include "foundation/Currency.h"
#include "foundation/Errors.h"

#include <QSqlError>

namespace cu::demo {

namespace {

QVariant boundValue(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString(4);
    return value;
}

} // namespace

InsertWriter::InsertWriter(Connection& connection, const QString& table, const QStringList& columns)
    : m_table(table), m_columns(static_cast<int>(columns.size())), m_query(connection.database())
{
    QStringList marks;
    for (int i = 0; i < m_columns; ++i)
        marks.append(QStringLiteral("?"));
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    if (!m_query.prepare(sql))
        throw DatabaseError(QStringLiteral("Tabella %1: %2").arg(table, m_query.lastError().text()));
}

void InsertWriter::row(const QVariantList& values)
{
    if (values.size() != m_columns)
        throw EAssertion(QStringLiteral("Tabella %1: %2 valori per %3 colonne")
                             .arg(m_table)
                             .arg(values.size())
                             .arg(m_columns),
                         QStringLiteral("InsertWriter"));
    for (int i = 0; i < m_columns; ++i)
        m_query.bindValue(i, boundValue(values[i]));
    if (!m_query.exec())
        throw DatabaseError(QStringLiteral("Tabella %1: %2").arg(m_table, m_query.lastError().text()));
    ++m_rows;
}

} // namespace cu::demo
