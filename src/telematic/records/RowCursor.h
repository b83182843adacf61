// A cursor over some rows of a dataset (the rows of one person, or one
// certificate row): first / next / eof over row positions, and the values
// of its current row. Stands for a dataset filtered on a person without
// scanning the dataset for every certificate.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QVector>

namespace cu {

class RowCursor
{
public:
    RowCursor() = default;
    RowCursor(Dataset* dataset, QVector<int> positions)
        : m_dataset(dataset), m_positions(std::move(positions))
    {
    }

    Dataset* dataset() const { return m_dataset; }
    int count() const { return int(m_positions.size()); }
    bool isEmpty() const { return m_positions.isEmpty(); }
    void first() { m_index = 0; }
    void next()
    {
        if (m_index < count())
            ++m_index;
    }
    bool eof() const { return m_index >= count(); }
    int index() const { return m_index; }

    // The dataset positioned on the current row (past the last row, on the
    // last); null without rows.
    Dataset* current() const;
    // The value of a column in the current row; past the last row, the last
    // row's; null without rows. A column the dataset lacks is an EZfError.
    QVariant value(QStringView column) const;

private:
    Dataset* m_dataset = nullptr;
    QVector<int> m_positions;
    int m_index = 0;
};

} // namespace cu
