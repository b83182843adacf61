// In-memory result rows of the payroll archive.
#include "import/archive/ArchiveRows.h"

#include "foundation/operator/Errors.h"

namespace cu {

ArchiveRows::ArchiveRows(QStringList columns) : m_columns(std::move(columns)) {}

void ArchiveRows::append(QVector<QVariant> values)
{
    values.resize(m_columns.size());
    m_rows.append(std::move(values));
}

void ArchiveRows::appendNamed(const QVariantMap& values)
{
    QVector<QVariant> row(m_columns.size());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        row[requireColumn(it.key())] = it.value();
    m_rows.append(std::move(row));
}

int ArchiveRows::columnIndex(const QString& column) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ArchiveRows::requireColumn(const QString& column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw EAssertion(QStringLiteral("Colonna non presente nel risultato: %1").arg(column),
                         QStringLiteral("ArchiveRows"));
    return index;
}

QVariant ArchiveRows::value(int row, const QString& column) const
{
    return m_rows.at(row).at(requireColumn(column));
}

Currency ArchiveRows::toCurrency(const QVariant& value, const QString& column)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (const std::optional<Currency> amount = Currency::fromVariant(value))
        return *amount;
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return {};
    throw EZfError(
        QStringLiteral("Importo non valido nella colonna %1 dei dati retributivi: \"%2\"").arg(column, text));
}

Currency ArchiveRows::currency(int row, const QString& column) const
{
    return toCurrency(value(row, column), column);
}

qint64 ArchiveRows::integer(int row, const QString& column) const
{
    const QVariant v = value(row, column);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::QString)
        return toCurrency(v, column).rounded(0).units();
    return v.toLongLong();
}

QString ArchiveRows::string(int row, const QString& column) const
{
    const QVariant v = value(row, column);
    return v.isNull() ? QString() : v.toString();
}

QDate ArchiveRows::date(int row, const QString& column) const
{
    const QVariant v = value(row, column);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString text = v.toString();
    return QDate::fromString(text.left(10), Qt::ISODate);
}

Currency ArchiveRows::firstCurrency(const QString& column) const
{
    if (isEmpty())
        return {};
    return currency(0, column);
}

qint64 ArchiveRows::firstInteger(const QString& column) const
{
    if (isEmpty())
        return 0;
    return integer(0, column);
}

Currency ArchiveRows::sumCurrency(const QString& column) const
{
    Currency sum;
    for (int row = 0; row < size(); ++row)
        sum += currency(row, column);
    return sum;
}

} // namespace cu
