// One prepared INSERT into a table of the payroll archive, executed once per
// row: the fast path of the demo archive's bulk load. Amounts are bound as
// exact decimal text, dates as dates, flags and ids as integers.
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
    InsertWriter(Connection& connection, const QString& table, const QStringList& columns);

    // Inserts one row; values follow the columns. A failure is a
    // DatabaseError naming the table and carrying the database's message.
    void row(const QVariantList& values);
    qint64 rowsWritten() const { return m_rows; }

private:
    QString m_table;
    int m_columns;
    QSqlQuery m_query;
    qint64 m_rows = 0;
};

} // namespace cu::demo
