// Prepared, blocked INSERTs for the bulk load of the demo archive.
#include "import/demo/InsertWriter.h"

#include "foundation/database/Connection.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"

#include <QSqlError>

namespace cu::demo {

namespace {

QVariant boundValue(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString(4);
    return value;
}

QString insertText(const QString& table, const QStringList& columns, int rows)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    const QString tuple = u'(' + marks.join(QStringLiteral(", ")) + u')';
    QStringList tuples;
    for (int i = 0; i < rows; ++i)
        tuples.append(tuple);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(table, columns.join(QStringLiteral(", ")), tuples.join(QStringLiteral(", ")));
}

void prepare(QSqlQuery& query, const QString& table, const QString& sql)
{
    if (!query.prepare(sql))
        throw DatabaseError(QStringLiteral("Tabella %1: %2").arg(table, query.lastError().text()));
}

} // namespace

InsertWriter::InsertWriter(Connection& connection, const QString& table, const QStringList& columns)
    : m_table(table), m_columns(static_cast<int>(columns.size())), m_single(connection.database()),
      m_block(connection.database())
{
    prepare(m_single, table, insertText(table, columns, 1));
    prepare(m_block, table, insertText(table, columns, BlockRows));
    m_pending.reserve(BlockRows * m_columns);
}

InsertWriter::~InsertWriter() = default;

void InsertWriter::row(const QVariantList& values)
{
    if (values.size() != m_columns)
        throw EAssertion(QStringLiteral("Tabella %1: %2 valori per %3 colonne")
                             .arg(m_table)
                             .arg(values.size())
                             .arg(m_columns),
                         QStringLiteral("InsertWriter"));
    for (const QVariant& v : values)
        m_pending.append(boundValue(v));
    ++m_rows;
    if (m_pending.size() == BlockRows * m_columns)
        execute(m_block, BlockRows);
}

void InsertWriter::flush()
{
    const int rows = static_cast<int>(m_pending.size() / m_columns);
    QVariantList rest;
    rest.swap(m_pending);
    for (int r = 0; r < rows; ++r) {
        m_pending = rest.mid(r * m_columns, m_columns);
        execute(m_single, 1);
    }
    m_pending.reserve(BlockRows * m_columns);
}

void InsertWriter::execute(QSqlQuery& query, int rows)
{
    for (int i = 0; i < rows * m_columns; ++i)
        query.bindValue(i, m_pending[i]);
    m_pending.clear();
    if (!query.exec())
        throw DatabaseError(QStringLiteral("Tabella %1: %2").arg(m_table, query.lastError().text()));
}

} // namespace cu::demo
