// The multi-select list.
#include "shell/common/MultiSelectList.h"

#include "foundation/dataset/Dataset.h"
#include "shell/common/DatasetGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace cu {

MultiSelectList::MultiSelectList(QWidget* parent)
    : QWidget(parent), m_search(new QLineEdit(this)), m_searchKey(new QComboBox(this)),
      m_grid(new DatasetGrid(this)), m_count(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* searchBar = new QHBoxLayout;
    auto* searchLabel = new QLabel(QStringLiteral("&Cerca:"), this);
    searchLabel->setBuddy(m_search);
    auto* keyLabel = new QLabel(QStringLiteral("&per"), this);
    keyLabel->setBuddy(m_searchKey);
    m_search->setClearButtonEnabled(true);
    m_search->setObjectName(QStringLiteral("edCerca"));
    m_searchKey->setObjectName(QStringLiteral("cbCercaPer"));
    m_grid->setObjectName(QStringLiteral("grdLista"));
    m_count->setObjectName(QStringLiteral("laPrenotati"));
    searchBar->addWidget(searchLabel);
    searchBar->addWidget(m_search, 1);
    searchBar->addWidget(keyLabel);
    searchBar->addWidget(m_searchKey);
    layout->addLayout(searchBar);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_count);
    connect(m_search, &QLineEdit::textEdited, this, &MultiSelectList::search);
    connect(m_searchKey, &QComboBox::currentIndexChanged, this, [this] { search(m_search->text()); });
    connect(m_grid, &DatasetGrid::marksChanged, this, &MultiSelectList::updateCount);
    connect(m_grid, &DatasetGrid::clicked, this, &MultiSelectList::updateCount);
}

void MultiSelectList::setDataset(Dataset* dataset, const QVector<GridColumn>& columns, const QString& keyField)
{
    m_keyField = keyField;
    m_grid->setDataset(dataset, columns);
    m_grid->setMarkable(keyField);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MultiSelectList::updateCount);
    connect(m_grid->model(), &QAbstractItemModel::layoutChanged, this, &MultiSelectList::updateCount);
    connect(m_grid->model(), &QAbstractItemModel::modelReset, this, &MultiSelectList::updateCount);
    connect(m_grid->model(), &QAbstractItemModel::rowsRemoved, this, &MultiSelectList::updateCount);
    connect(m_grid->model(), &QAbstractItemModel::rowsInserted, this, &MultiSelectList::updateCount);
    if (m_grid->model()->rowCount() > 0)
        m_grid->setCurrentIndex(m_grid->model()->index(0, 0));
    updateCount();
}

void MultiSelectList::setSearchKeys(const QVector<SearchKey>& keys)
{
    m_keys = keys;
    m_searchKey->clear();
    for (const SearchKey& key : keys)
        m_searchKey->addItem(key.caption);
}

QStringList MultiSelectList::chosenKeys() const
{
    const QStringList marked = m_grid->markedKeys();
    if (!marked.isEmpty())
        return marked;
    QStringList all;
    const int key = m_grid->dataset()->requireField(m_keyField);
    for (int row : m_grid->visibleRows())
        all.append(m_grid->dataset()->valueAt(row, key).toString());
    return all;
}

int MultiSelectList::chosenCount() const
{
    const int marked = static_cast<int>(m_grid->markedKeys().size());
    return marked > 0 ? marked : m_grid->model()->rowCount();
}

QString MultiSelectList::countText() const
{
    return m_count->text();
}

void MultiSelectList::updateCount()
{
    m_count->setText(QStringLiteral("Prenotati: %1").arg(chosenCount()));
}

void MultiSelectList::search(const QString& text)
{
    const int key = m_searchKey->currentIndex();
    if (key < 0 || key >= m_keys.size() || text.trimmed().isEmpty())
        return;
    const int row = m_grid->findPrefix(m_keys[key].fields, text);
    if (row >= 0) {
        m_grid->setCurrentIndex(m_grid->model()->index(row, 0));
        m_grid->scrollTo(m_grid->currentIndex());
    }
}

} // namespace cu
