// The agent windows' common part.
#include "shell/editors/EliTabella.h"

#include "certificates/editing/TableEditing.h"
#include "foundation/operator/Errors.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/WindowGeometry.h"
#include "shell/editors/EditingContext.h"
#include "shell/editors/ElfBase.h"
#include "shell/frame/LavoroCorrente.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace cu {

EliTabella::EliTabella(EditingContext& context, std::unique_ptr<TableEditing> editing,
                       const DescrizioneTabella& description, QWidget* parent)
    : QWidget(parent), m_context(context), m_editing(std::move(editing)), m_writes(description.writes),
      m_pages(new QTabWidget(this)), m_list(new DatasetGrid(this))
{
    setObjectName(description.name);
    setWindowTitle(description.title);
    m_editing->open();

    FieldServices services;
    services.report = [this](const std::exception& e) { m_context.lavoro().op.report(e); };
    services.cerca = [this](const ColumnSchema& column, QWidget* parent) {
        return m_context.cerca(column, parent);
    };
    services.hints = DevelopmentHints::forEditor(context.lavoro().app.folders, description.kind);
    QVector<const ColumnSchema*> columns;
    for (const ColumnSchema& column : m_editing->table().columns)
        columns.append(&column);
    m_frame = new ElfBase(*m_editing, columns, services, description.headings, this);
    m_frame->setObjectName(QStringLiteral("frDettaglio"));

    m_list->setObjectName(QStringLiteral("grElenco"));
    m_list->setDataset(&m_editing->rows(), description.list);
    m_pages->addTab(m_list, QStringLiteral("Elenco"));
    m_pages->addTab(m_frame, QStringLiteral("Dettaglio"));
    m_pages->setCurrentIndex(1);

    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid() || m_list->datasetRow(current.row()) == m_editing->rows().recNo())
                    return;
                if (m_editing->isEditing()) {
                    m_context.lavoro().op.report(EZfError(QStringLiteral("Salvare prima di cambiare modello.")));
                    mostra();
                    return;
                }
                m_editing->rows().setRecNo(m_list->datasetRow(current.row()));
            });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { m_pages->setCurrentIndex(1); });
    connect(m_frame, &ElfBase::editingStarted, this, [this] { m_pages->setCurrentIndex(1); });
    connect(m_frame, &ElfBase::saved, this, [this] { m_context.annunciaModifica(m_writes, this); });
    connect(&m_editing->rows(), &Dataset::currentChanged, this, &EliTabella::mostra);
    connect(&context, &EditingContext::tabelleModificate, this, &EliTabella::rileggi);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    resize(960, 640);
    WindowGeometry::remember(this, description.name);
    mostra();
}

EliTabella::~EliTabella()
{
    // The fields go before the editing session they write to.
    delete m_pages;
}

void EliTabella::vaiACampo(const QString& column)
{
    m_pages->setCurrentIndex(1);
    m_frame->form()->focusColumn(column);
}

void EliTabella::closeEvent(QCloseEvent* event)
{
    if (!m_editing->canClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void EliTabella::rileggi(const QStringList& tables, QObject* source)
{
    if (source == this || m_editing->isEditing() || !tables.contains(m_writes.first()))
        return;
    const int position = m_editing->rows().recNo();
    try {
        m_editing->open();
        if (position >= 0 && position < m_editing->rows().recordCount())
            m_editing->rows().setRecNo(position);
    } catch (const std::exception& e) {
        m_context.lavoro().op.report(e);
    }
    m_frame->refresh();
}

void EliTabella::mostra()
{
    const int row = m_editing->rows().recNo();
    if (row < 0 || m_editing->rows().state() == Dataset::State::Insert)
        return;
    const QSignalBlocker blocker(m_list->selectionModel());
    m_list->setCurrentIndex(m_list->model()->index(row, 0));
    m_list->viewport()->update();
}

} // namespace cu
