// The dataset side of a save: the rows that the change log holds (deleted,
// inserted, modified) with their values, and, once they are stored, the
// row numbers and persons that the store gave them written back into the
// dataset rows, so that a later change of the same row rewrites it.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QVector>

namespace cu {

class StoreChanges
{
public:
    struct Row
    {
        Dataset::RowStatus status;
        QVector<QVariant> values; // by field index; as deleted for a deleted row
        int position = -1;        // in the dataset's order (and filter, unless lifted); -1 when deleted
    };

    // Collects the changes; a row being edited or inserted is posted first.
    explicit StoreChanges(Dataset& dataset);

    const QVector<Row>& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Sets the fields whose stored value differs from the row's (iAfiID,
    // iFisRigo) in the dataset rows; values by row, in rows() order. No hook
    // runs; the cursor, filter and order are kept. The positions must still
    // be those of the collection: the dataset must not change in between.
    void writeBack(const QVector<QVector<QVariant>>& stored, const QVector<int>& fields);

private:
    class View;
    // Appends up to pending changed rows of the visible ones; returns how many.
    int collect(int pending);

    Dataset& m_dataset;
    QVector<Row> m_rows;
    bool m_filterLifted = false;
};

} // namespace cu
