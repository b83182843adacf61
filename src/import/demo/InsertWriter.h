// Prepared INSERTs into a table of the payroll archive: the fast path of the
// demo archive's bulk load. Rows are gathered and written a block at a time
// with one multi-row INSERT (a bounded buffer: memory does not grow with the
// rows written); flush() writes the rest. Amounts are bound as exact decimal
// text, dates as dates, flags and ids as integers.
#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace cu {
class Connection;
}

namespace cu::demo {

class InsertWriter
{
public:
    static constexpr int BlockRows = 64;

    InsertWriter(Connection& connection, const QString& table, const QStringList& columns);
    ~InsertWriter();

    // Adds one row; values follow the columns. A failure is a DatabaseError
    // naming the table and carrying the database's message.
    void row(const QVariantList& values);
    // Writes the gathered rows.
    void flush();
    qint64 rowsWritten() const { return m_rows; }

private:
    void execute(QSqlQuery& query, int rows);

    QString m_table;
    int m_columns;
    QSqlQuery m_single;
    QSqlQuery m_block;
    QVariantList m_pending;
    qint64 m_rows = 0;
};

} // namespace cu::demo
