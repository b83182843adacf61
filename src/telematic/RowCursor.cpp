// Cursor over a subset of a dataset's rows.
#include "telematic/RowCursor.h"

#include "foundation/Errors.h"

namespace cu {

QVariant RowCursor::value(QStringView column) const
{
    if (!m_dataset || m_positions.isEmpty())
        return QVariant();
    const int field = m_dataset->fieldIndex(column);
    if (field < 0)
        throw EZfError(
            QStringLiteral("Il tracciato nomina la colonna %1, assente dai dati").arg(column.toString()));
    const int position = m_positions[qMin(m_index, count() - 1)];
    if (m_dataset->recNo() != position)
        m_dataset->setRecNo(position);
    return m_dataset->value(field);
}

} // namespace cu
