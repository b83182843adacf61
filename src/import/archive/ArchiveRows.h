// The rows that one statement of the payroll archive returned, kept in memory
// with their column names, and read by name with exact amounts.
#pragma once

#include "foundation/text/Currency.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace cu {

class ArchiveRows
{
public:
    ArchiveRows() = default;
    explicit ArchiveRows(QStringList columns);

    // Appends a row whose values follow columns().
    void append(QVector<QVariant> values);
    // Appends a row given as column -> value (missing columns stay empty).
    void appendNamed(const QVariantMap& values);

    const QStringList& columns() const { return m_columns; }
    int size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool hasColumn(const QString& column) const { return columnIndex(column) >= 0; }

    // Case-insensitive column access; an unknown column is a programming
    // error (EAssertion naming it). Empty values read as "", 0 or a null date.
    QVariant value(int row, const QString& column) const;
    Currency currency(int row, const QString& column) const;
    qint64 integer(int row, const QString& column) const;
    QString string(int row, const QString& column) const;
    QDate date(int row, const QString& column) const;

    // The first row's amount, 0 when there is no row (a single-row total).
    Currency firstCurrency(const QString& column) const;
    qint64 firstInteger(const QString& column) const;
    Currency sumCurrency(const QString& column) const;

    // Exact conversion of a database value of a column to an amount: strings
    // (numeric columns read with high precision) are parsed, integers taken
    // as units, a REAL rounded to the fourth decimal. A text that is no
    // amount ("abc", "12,3,4": SQLite keeps whatever was written) is an
    // EZfError naming the column, never a zero.
    static Currency toCurrency(const QVariant& value, const QString& column);

private:
    int columnIndex(const QString& column) const;
    int requireColumn(const QString& column) const;

    QStringList m_columns;
    QVector<QVector<QVariant>> m_rows;
};

} // namespace cu
