// The dataset grid.
#include "shell/common/DatasetGrid.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/DatasetModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSortFilterProxyModel>

namespace cu {

// The proxy between the dataset's model and the view.
class GridProxy : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QVector<GridColumn> columns;
    std::function<bool(int)> condition;
    QVector<int> keyFields; // marking off when empty
    int markColumn = 0;     // the section of the first column given: the tick goes there
    QSet<QString> marked;
    std::function<QColor(int)> rowColour;

    bool markable() const { return !keyFields.isEmpty(); }

    Dataset* dataset() const { return static_cast<DatasetModel*>(sourceModel())->dataset(); }
    void refilter() { invalidateFilter(); }

    int columnOf(int sourceColumn) const
    {
        const QString name = dataset()->fields().value(sourceColumn).name;
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].field.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }

    QString keyOf(int sourceRow) const
    {
        QStringList parts;
        for (int field : keyFields)
            parts.append(dataset()->valueAt(sourceRow, field).toString());
        return parts.join(u'/');
    }

    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override
    {
        return !condition || condition(sourceRow);
    }
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex&) const override
    {
        return columnOf(sourceColumn) >= 0;
    }

    // The shown columns keep the order of the dataset's fields.
    int sourceColumn(int section) const
    {
        int shown = -1;
        for (int column = 0; column < sourceModel()->columnCount(); ++column)
            if (columnOf(column) >= 0 && ++shown == section)
                return column;
        return -1;
    }
    int section(int sourceColumn) const
    {
        int shown = 0;
        for (int column = 0; column < sourceColumn; ++column)
            if (columnOf(column) >= 0)
                ++shown;
        return shown;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
            const int column = columnOf(sourceColumn(section));
            return column >= 0 ? columns[column].caption : QVariant();
        }
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QModelIndex source = mapToSource(index);
        if (role == Qt::TextAlignmentRole) {
            const int column = columnOf(source.column());
            return column >= 0 ? QVariant(columns[column].alignment) : QVariant();
        }
        if (role == Qt::CheckStateRole && markable() && index.column() == markColumn)
            return marked.contains(keyOf(source.row())) ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::ForegroundRole && rowColour) {
            const QColor colour = rowColour(source.row());
            if (colour.isValid())
                return colour;
        }
        if (role == Qt::DisplayRole) {
            const int column = columnOf(source.column());
            if (column >= 0 && columns[column].text)
                return columns[column].text(QSortFilterProxyModel::data(index, Qt::EditRole));
        }
        return QSortFilterProxyModel::data(index, role);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::CheckStateRole || !markable() || index.column() != markColumn)
            return false;
        const QString key = keyOf(mapToSource(index).row());
        if (value.toInt() == Qt::Checked)
            marked.insert(key);
        else
            marked.remove(key);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = QSortFilterProxyModel::flags(index) & ~Qt::ItemIsEditable;
        if (markable() && index.column() == markColumn)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }
};

DatasetGrid::DatasetGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

DatasetGrid::~DatasetGrid() = default;

void DatasetGrid::setDataset(Dataset* dataset, const QVector<GridColumn>& columns)
{
    delete m_proxy;
    delete m_model;
    m_model = new DatasetModel(dataset, this);
    m_proxy = new GridProxy(this);
    m_proxy->columns = columns;
    m_proxy->setSortRole(Qt::EditRole);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setSourceModel(m_model);
    setModel(m_proxy);
    connect(m_proxy, &QAbstractItemModel::dataChanged, this, [this](auto, auto, const QList<int>& roles) {
        if (roles.contains(Qt::CheckStateRole))
            emit marksChanged();
    });
    // Put the columns in the order given, with their widths.
    QHeaderView* header = horizontalHeader();
    if (!columns.isEmpty())
        m_proxy->markColumn = m_proxy->section(dataset->requireField(columns.first().field));
    for (int i = 0; i < columns.size(); ++i) {
        const int section = m_proxy->section(dataset->requireField(columns[i].field));
        header->moveSection(header->visualIndex(section), i);
        if (columns[i].width > 0)
            setColumnWidth(section, columns[i].width);
        else
            resizeColumnToContents(section);
    }
}

Dataset* DatasetGrid::dataset() const
{
    return m_model ? m_model->dataset() : nullptr;
}

void DatasetGrid::setRowCondition(std::function<bool(int)> condition)
{
    m_proxy->condition = std::move(condition);
    refilter();
}

void DatasetGrid::refilter()
{
    m_proxy->refilter();
}

void DatasetGrid::sortByField(const QString& field)
{
    m_proxy->sort(m_proxy->section(dataset()->requireField(field)));
}

void DatasetGrid::setRowColour(std::function<QColor(int)> colour)
{
    m_proxy->rowColour = std::move(colour);
    viewport()->update();
}

QString DatasetGrid::fieldOfColumn(int viewColumn) const
{
    return dataset()->fields().value(m_proxy->sourceColumn(viewColumn)).name;
}

void DatasetGrid::showOrderOn(const QString& field)
{
    horizontalHeader()->setSortIndicatorShown(true);
    const int section = m_proxy->section(dataset()->requireField(field));
    horizontalHeader()->setSortIndicator(section, Qt::AscendingOrder);
}

void DatasetGrid::setMarkable(const QString& keyField)
{
    m_proxy->keyFields.clear();
    for (const QString& field : keyField.split(u';', Qt::SkipEmptyParts))
        m_proxy->keyFields.append(dataset()->requireField(field.trimmed()));
}

QStringList DatasetGrid::markedKeys() const
{
    QStringList keys;
    for (int row : visibleRows()) {
        const QString key = m_proxy->keyOf(row);
        if (m_proxy->marked.contains(key))
            keys.append(key);
    }
    return keys;
}

void DatasetGrid::clearMarks()
{
    if (m_proxy->marked.isEmpty())
        return;
    m_proxy->marked.clear();
    viewport()->update();
    emit marksChanged();
}

void DatasetGrid::setMarkedKeys(const QStringList& keys)
{
    m_proxy->marked = QSet<QString>(keys.begin(), keys.end());
    viewport()->update();
    emit marksChanged();
}

void DatasetGrid::setMarked(int viewRow, bool marked)
{
    const QModelIndex tick = m_proxy->index(viewRow, m_proxy->markColumn);
    m_proxy->setData(tick, marked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

QVector<int> DatasetGrid::visibleRows() const
{
    QVector<int> rows;
    for (int row = 0; row < m_proxy->rowCount(); ++row)
        rows.append(datasetRow(row));
    return rows;
}

int DatasetGrid::datasetRow(int viewRow) const
{
    return m_proxy->mapToSource(m_proxy->index(viewRow, 0)).row();
}

int DatasetGrid::findPrefix(const QStringList& fields, const QString& prefix) const
{
    QVector<int> indexes;
    for (const QString& field : fields)
        indexes.append(dataset()->requireField(field));
    for (int row = 0; row < m_proxy->rowCount(); ++row) {
        QStringList parts;
        for (int field : indexes)
            parts.append(dataset()->valueAt(datasetRow(row), field).toString().trimmed());
        if (parts.join(u' ').startsWith(prefix.trimmed(), Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

void DatasetGrid::keyPressEvent(QKeyEvent* event)
{
    // Space marks or unmarks the current row.
    if (event->key() == Qt::Key_Space && m_proxy && m_proxy->markable() && currentIndex().isValid()) {
        const int row = currentIndex().row();
        setMarked(row, !m_proxy->marked.contains(m_proxy->keyOf(datasetRow(row))));
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace cu
