// The lookup dialog.
#include "shell/common/HlmRicerca.h"

#include "certificates/editing/Lookup.h"
#include "foundation/dataset/Dataset.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/WindowGeometry.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cu {

HlmRicerca::HlmRicerca(Dataset& rows, const QStringList& hidden, QWidget* parent)
    : QDialog(parent), m_rows(rows), m_grid(new DatasetGrid(this)), m_caption(new QLabel(this)),
      m_search(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Finestra di ricerca"));
    setObjectName(QStringLiteral("HlmRicerca"));
    QVector<GridColumn> columns;
    for (const FieldDef& field : rows.fields()) {
        if (hidden.contains(field.name, Qt::CaseInsensitive))
            continue;
        m_shown.append(field.name);
        columns.append({field.name, field.name, 0});
    }
    m_grid->setDataset(&rows, columns);
    m_grid->setObjectName(QStringLiteral("grRicerca"));
    m_grid->setTabKeyNavigation(false);
    m_search->setObjectName(QStringLiteral("edCerca"));
    m_search->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_search);
    layout->addWidget(m_grid, 1);
    layout->addWidget(buttons);

    connect(m_search, &QLineEdit::textEdited, this, &HlmRicerca::search);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    // The grid shows the fields in the dataset's order: a section is a shown field.
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { orderBy(m_shown.value(section)); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &HlmRicerca::followGrid);
    resize(620, 440);
    WindowGeometry::remember(this, QStringLiteral("HlmRicerca"));
    orderBy(m_shown.value(0));
    m_search->setFocus();
}

HlmRicerca::~HlmRicerca() = default;

void HlmRicerca::orderBy(const QString& field)
{
    if (field.isEmpty())
        return;
    m_searchField = field;
    m_rows.setIndexFieldNames(field);
    m_caption->setText(QStringLiteral("Cerca per ") + field);
    m_search->clear();
    if (m_rows.recNo() < 0)
        m_rows.first();
    showCurrent();
}

QVariant HlmRicerca::chosen(const QString& field) const
{
    return m_rows.recNo() < 0 ? QVariant() : m_rows.value(m_rows.requireField(field));
}

void HlmRicerca::search(const QString& text)
{
    const int row = nearestRow(m_rows, m_searchField, text);
    if (row < 0)
        return;
    m_rows.setRecNo(row);
    showCurrent();
}

void HlmRicerca::showCurrent()
{
    const int row = m_rows.recNo();
    if (row < 0)
        return;
    const int column = std::max<qsizetype>(0, m_shown.indexOf(m_searchField));
    const QModelIndex index = m_grid->model()->index(row, int(column));
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

void HlmRicerca::followGrid()
{
    const QModelIndex index = m_grid->currentIndex();
    if (index.isValid() && m_grid->datasetRow(index.row()) != m_rows.recNo())
        m_rows.setRecNo(m_grid->datasetRow(index.row()));
}

void HlmRicerca::moveColumn(int step)
{
    const qsizetype at = m_shown.indexOf(m_searchField) + step;
    if (at >= 0 && at < m_shown.size())
        orderBy(m_shown[at]);
}

bool HlmRicerca::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_search || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QApplication::sendEvent(m_grid, key);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!(key->modifiers() & Qt::ControlModifier))
            return false;
        QApplication::sendEvent(m_grid, key);
        return true;
    case Qt::Key_Left:
        moveColumn(-1);
        return true;
    case Qt::Key_Right:
        moveColumn(1);
        return true;
    default:
        return false;
    }
}

} // namespace cu
