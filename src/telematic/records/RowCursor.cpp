// Cursor over a subset of a dataset's rows.
#include "telematic/records/RowCursor.h"

#include "foundation/operator/Errors.h"

namespace cu {

Dataset* RowCursor::current() const
{
    if (!m_dataset || m_positions.isEmpty())
        return nullptr;
    const int position = m_positions[qMin(m_index, count() - 1)];
    if (m_dataset->recNo() != position)
        m_dataset->setRecNo(position);
    return m_dataset;
}

QVariant RowCursor::value(QStringView column) const
{
    Dataset* dataset = current();
    if (!dataset)
        return QVariant();
    const int field = dataset->fieldIndex(column);
    if (field < 0)
        throw EZfError(
            QStringLiteral("Il tracciato nomina la colonna %1, assente dai dati").arg(column.toString()));
    return dataset->value(field);
}

} // namespace cu
