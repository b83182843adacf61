// Finding the changed rows of a dataset and updating them after a save.
#include "foundation/StoreChanges.h"

#include <QSignalBlocker>

namespace cu {

namespace {

// Clears the filter and the order while it lives, so that every row that is
// not deleted is visible in insertion order; restores them and the cursor.
// The dataset's signals are blocked meanwhile; views get one reset after,
// when the rows they show may differ.
class PlainView
{
public:
    explicit PlainView(Dataset& dataset)
        : m_dataset(dataset), m_filter(dataset.filter()), m_order(dataset.indexFieldNames()),
          m_position(dataset.recNo()), m_blocker(dataset)
    {
        if (!m_filter.isEmpty())
            m_dataset.setFilter(QString());
        if (!m_order.isEmpty())
            m_dataset.setIndexFieldNames(QString());
    }

    ~PlainView()
    {
        if (!m_order.isEmpty())
            m_dataset.setIndexFieldNames(m_order);
        if (!m_filter.isEmpty())
            m_dataset.setFilter(m_filter);
        if (m_position >= 0 && m_position < m_dataset.recordCount())
            m_dataset.setRecNo(m_position);
        m_blocker.unblock();
        if (m_rowsChanged || !m_filter.isEmpty() || !m_order.isEmpty())
            emit m_dataset.rowsReset();
    }

    void rowsChanged() { m_rowsChanged = true; }

    PlainView(const PlainView&) = delete;
    PlainView& operator=(const PlainView&) = delete;

private:
    Dataset& m_dataset;
    QString m_filter;
    QString m_order;
    int m_position;
    QSignalBlocker m_blocker;
    bool m_rowsChanged = false;
};

QVector<QVariant> currentValues(const Dataset& dataset)
{
    QVector<QVariant> values;
    values.reserve(dataset.fieldCount());
    for (int f = 0; f < dataset.fieldCount(); ++f)
        values.append(dataset.value(f));
    return values;
}

} // namespace

StoreChanges::StoreChanges(Dataset& dataset) : m_dataset(dataset)
{
    if (dataset.state() == Dataset::State::Edit || dataset.state() == Dataset::State::Insert)
        dataset.post();
    int pending = 0;
    for (const Dataset::Change& change : dataset.changes()) {
        if (change.status == Dataset::RowStatus::Deleted)
            m_rows.append({change.status, change.original, -1});
        else
            ++pending;
    }
    if (pending == 0)
        return;
    // Rows are usually appended: walking from the end finds them first.
    PlainView view(dataset);
    for (int position = dataset.recordCount() - 1; position >= 0 && pending > 0; --position) {
        dataset.setRecNo(position);
        const Dataset::RowStatus status = dataset.rowStatus();
        if (status == Dataset::RowStatus::Unmodified)
            continue;
        m_rows.append({status, currentValues(dataset), position});
        --pending;
    }
}

void StoreChanges::writeBack(const QVector<QVector<QVariant>>& stored, const QVector<int>& fields)
{
    QVector<int> changed;
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows[i];
        if (row.position < 0)
            continue;
        for (int field : fields) {
            if (row.values.value(field) != stored[i].value(field)) {
                changed.append(i);
                break;
            }
        }
    }
    if (changed.isEmpty())
        return;
    PlainView view(m_dataset);
    view.rowsChanged();
    Dataset::HookSuspension noHooks(m_dataset);
    for (int i : changed) {
        m_dataset.setRecNo(m_rows[i].position);
        m_dataset.edit();
        for (int field : fields)
            m_dataset.setValue(field, stored[i].value(field));
        m_dataset.post();
    }
}

} // namespace cu
