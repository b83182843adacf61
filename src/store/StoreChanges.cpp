// Finding the changed rows of a dataset and updating them after a save.
#include "store/StoreChanges.h"

#include <QSignalBlocker>
#include <algorithm>

namespace cu {

namespace {

QVector<QVariant> currentValues(const Dataset& dataset)
{
    QVector<QVariant> values;
    values.reserve(dataset.fieldCount());
    for (int f = 0; f < dataset.fieldCount(); ++f)
        values.append(dataset.value(f));
    return values;
}

// Calls visit(position) for the positions to look at until it returns
// false: the current row first (the one just posted, as a rule), then from
// the last row back (appended rows).
template <typename Visit>
void visitSearchOrder(int current, int count, Visit visit)
{
    if (current >= 0 && current < count && !visit(current))
        return;
    for (int position = count - 1; position >= 0; --position) {
        if (position != current && !visit(position))
            return;
    }
}

} // namespace

// Keeps the cursor, and the filter when it has to be lifted, while it lives;
// the dataset's signals are blocked meanwhile and views get one reset after
// when the rows they show may differ.
class StoreChanges::View
{
public:
    View(Dataset& dataset, bool liftFilter)
        : m_dataset(dataset), m_filter(liftFilter ? dataset.filter() : QString()),
          m_position(dataset.recNo()), m_blocker(dataset)
    {
        if (!m_filter.isEmpty())
            m_dataset.setFilter(QString());
    }

    ~View()
    {
        if (!m_filter.isEmpty())
            m_dataset.setFilter(m_filter);
        if (m_position >= 0 && m_position < m_dataset.recordCount())
            m_dataset.setRecNo(m_position);
        m_blocker.unblock();
        if (m_rowsChanged || !m_filter.isEmpty())
            emit m_dataset.rowsReset();
    }

    View(const View&) = delete;
    View& operator=(const View&) = delete;

    void rowsChanged() { m_rowsChanged = true; }

private:
    Dataset& m_dataset;
    QString m_filter;
    int m_position;
    QSignalBlocker m_blocker;
    bool m_rowsChanged = false;
};

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
    if (pending > 0 && collect(pending) < pending) {
        // A changed row is hidden by the filter: look again without it.
        m_rows.erase(
            std::remove_if(m_rows.begin(), m_rows.end(), [](const Row& row) { return row.position >= 0; }),
            m_rows.end());
        m_filterLifted = true;
        collect(pending);
    }
    // Written in the dataset's order, so new rows are numbered as they stand.
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row& a, const Row& b) { return a.position < b.position; });
}

int StoreChanges::collect(int pending)
{
    View view(m_dataset, m_filterLifted);
    int found = 0;
    visitSearchOrder(m_dataset.recNo(), m_dataset.recordCount(), [&](int position) {
        if (found == pending)
            return false;
        m_dataset.setRecNo(position);
        const Dataset::RowStatus status = m_dataset.rowStatus();
        if (status != Dataset::RowStatus::Unmodified) {
            m_rows.append({status, currentValues(m_dataset), position});
            ++found;
        }
        return true;
    });
    return found;
}

void StoreChanges::writeBack(const QVector<QVector<QVariant>>& stored, const QVector<int>& fields)
{
    QVector<int> changed;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].position < 0)
            continue;
        for (int field : fields) {
            if (m_rows[i].values.value(field) != stored[i].value(field)) {
                changed.append(i);
                break;
            }
        }
    }
    if (changed.isEmpty())
        return;
    View view(m_dataset, m_filterLifted);
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
