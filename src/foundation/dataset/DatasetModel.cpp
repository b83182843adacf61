// Table model adapter over a dataset.
#include "foundation/dataset/DatasetModel.h"

#include "foundation/dataset/Dataset.h"

#include <QLocale>

namespace cu {

DatasetModel::DatasetModel(Dataset* dataset, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset)
{
    connectDataset();
    if (m_dataset) {
        m_rows = m_dataset->recordCount();
        m_columns = m_dataset->fieldCount();
    }
}

void DatasetModel::connectDataset()
{
    if (!m_dataset)
        return;
    connect(m_dataset, &Dataset::rowsAboutToBeReset, this, &DatasetModel::beginReset);
    connect(m_dataset, &Dataset::rowsReset, this, &DatasetModel::endReset);
    connect(m_dataset, &Dataset::rowAboutToBeInserted, this, &DatasetModel::beginInsert);
    connect(m_dataset, &Dataset::rowInserted, this, &DatasetModel::endInsert);
    connect(m_dataset, &Dataset::rowAboutToBeRemoved, this, &DatasetModel::beginRemove);
    connect(m_dataset, &Dataset::rowRemoved, this, &DatasetModel::endRemove);
    connect(m_dataset, &Dataset::rowChanged, this, &DatasetModel::rowChanged);
    connect(m_dataset, &Dataset::currentChanged, this, &DatasetModel::currentRowChanged);
    connect(m_dataset, &QObject::destroyed, this, &DatasetModel::datasetDestroyed);
}

void DatasetModel::beginReset()
{
    beginResetModel();
    m_resetting = true;
}

// A reset announced only afterwards (by code that changed the rows with the
// dataset's signals blocked) is taken as a whole.
void DatasetModel::endReset()
{
    if (!m_resetting)
        beginResetModel();
    m_resetting = false;
    m_rows = m_dataset ? m_dataset->recordCount() : 0;
    m_columns = m_dataset ? m_dataset->fieldCount() : 0;
    endResetModel();
}

void DatasetModel::beginInsert(int position)
{
    beginInsertRows(QModelIndex(), position, position);
}

void DatasetModel::endInsert()
{
    ++m_rows;
    endInsertRows();
}

void DatasetModel::beginRemove(int position)
{
    beginRemoveRows(QModelIndex(), position, position);
}

void DatasetModel::endRemove()
{
    --m_rows;
    endRemoveRows();
}

void DatasetModel::datasetDestroyed()
{
    beginResetModel();
    m_rows = 0;
    m_columns = 0;
    endResetModel();
}

void DatasetModel::rowChanged(int position)
{
    if (position < 0 || position >= rowCount())
        return;
    emit dataChanged(index(position, 0), index(position, columnCount() - 1));
}

int DatasetModel::currentRow() const
{
    return m_dataset ? m_dataset->recNo() : -1;
}

void DatasetModel::setCurrentRow(int row)
{
    if (m_dataset && m_dataset->isActive())
        m_dataset->setRecNo(row);
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QString DatasetModel::displayText(const QVariant& value, int fieldType)
{
    if (value.isNull())
        return {};
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    switch (FieldType(fieldType)) {
    case FieldType::Currency: {
        const Currency amount = value.value<Currency>();
        return amount.rounded(2).isZero() ? QString() : amount.toItalian(2);
    }
    case FieldType::Date:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case FieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case FieldType::Float:
        return italian.toString(value.toDouble(), 'g', 15);
    case FieldType::Boolean:
        return {};
    case FieldType::Blob:
        return QStringLiteral("(%1 byte)").arg(value.toByteArray().size());
    default:
        return value.toString();
    }
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!m_dataset || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const FieldType type = m_dataset->fields()[index.column()].type;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(m_dataset->valueAt(index.row(), index.column()), int(type));
    case Qt::EditRole:
        return m_dataset->valueAt(index.row(), index.column());
    case Qt::CheckStateRole:
        if (type != FieldType::Boolean)
            return {};
        return m_dataset->valueAt(index.row(), index.column()).toBool() ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (type == FieldType::Currency || type == FieldType::Float || type == FieldType::Integer ||
            type == FieldType::SmallInt)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_dataset)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < columnCount() ? QVariant(m_dataset->fields()[section].name) : QVariant();
}

} // namespace cu
