// "Dati CU".
#include "shell/editors/EliCud.h"

#include "certificates/CertificateKey.h"
#include "certificates/editing/DevelopmentHints.h"
#include "certificates/editing/PrintedLock.h"
#include "foundation/dataset/Dataset.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/WindowGeometry.h"
#include "shell/editors/CertificatePages.h"
#include "shell/editors/EditingContext.h"
#include "shell/editors/ElfBase.h"
#include "shell/editors/EliControlli.h"
#include "shell/editors/EliCudIns.h"
#include "shell/frame/LavoroCorrente.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace cu {

namespace {

struct ListColumn
{
    const char* field;
    const char* caption;
    bool tick;
    std::optional<ListOrder> order;
};

// clang-format off
const ListColumn ListColumns[] = {
    {"SCUDCODFIS",      "Codice fiscale", false, ListOrder::FiscalCode},
    {"SCUDCOGNOME",     "Cognome",        false, ListOrder::Surname},
    {"SCUDNOME",        "Nome",           false, ListOrder::Name},
    {"SCUDMESE",        "Mese",           false, ListOrder::Month},
    {"LCUDCONGUAGLIO",  "Conguaglio",     true,  {}},
    {"LCUDCOMPRENSIVO", "Comprensivo",    true,  {}},
    {"LCUDIMPORTATO",   "Importato",      true,  {}},
};
// clang-format on

const ListColumn* listColumnCaptioned(const QString& caption)
{
    for (const ListColumn& column : ListColumns)
        if (caption == QLatin1String(column.caption))
            return &column;
    return nullptr;
}

// Printed certificates in red; the flags of the tick columns as ticks.
class ListDelegate : public QStyledItemDelegate
{
public:
    ListDelegate(DatasetGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const Dataset& rows = *m_grid->dataset();
        const int row = m_grid->datasetRow(index.row());
        if (rows.valueAt(row, rows.requireField(u"iCudStato")).toInt() > 0) {
            option->palette.setColor(QPalette::Text, QColor(0xc0, 0, 0));
            option->palette.setColor(QPalette::HighlightedText, QColor(0xff, 0xd0, 0xd0));
        }
        const ListColumn* column =
            listColumnCaptioned(index.model()->headerData(index.column(), Qt::Horizontal).toString());
        if (column && column->tick) {
            const QString flag = option->text.trimmed();
            option->text = flag.isEmpty() || flag == u"0" ? QString() : QStringLiteral("✓");
            option->displayAlignment = Qt::AlignCenter;
        }
    }

private:
    DatasetGrid* m_grid;
};

} // namespace

EliCud::EliCud(EditingContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_editing(context.certificates(), context.lavoro().op),
      m_pages(new QTabWidget(this)), m_list(new DatasetGrid(this)), m_position(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Dati CU"));
    setObjectName(QStringLiteral("EliCud"));
    m_editing.open();

    auto* bar = new QHBoxLayout;
    auto nav = [&](const char* name, const QString& text, const QString& tip, void (EliCud::*slot)(),
                   QKeyCombination key) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(text);
        button->setToolTip(tip);
        connect(button, &QToolButton::clicked, this, slot);
        connect(new QShortcut(QKeySequence(key), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
                &QShortcut::activated, this, slot);
        bar->addWidget(button);
    };
    nav("buPrimo", QStringLiteral("|<"), QStringLiteral("Primo modello"), &EliCud::primo, Qt::ALT | Qt::Key_Home);
    nav("buPrecedente", QStringLiteral("<"), QStringLiteral("Modello precedente"), &EliCud::precedente, Qt::ALT | Qt::Key_Up);
    m_position->setObjectName(QStringLiteral("laModello"));
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setMinimumWidth(m_position->fontMetrics().horizontalAdvance(QStringLiteral("99999 di 99999")));
    bar->addWidget(m_position);
    nav("buSuccessivo", QStringLiteral(">"), QStringLiteral("Modello successivo"), &EliCud::successivo, Qt::ALT | Qt::Key_Down);
    nav("buUltimo", QStringLiteral(">|"), QStringLiteral("Ultimo modello"), &EliCud::ultimo, Qt::ALT | Qt::Key_End);
    bar->addSpacing(16);
    addCommand(bar, QStringLiteral("&Inserisci"), &EliCud::inserisci, QKeySequence(Qt::ALT | Qt::Key_Insert));
    addCommand(bar, QStringLiteral("&Cancella"), &EliCud::cancella, QKeySequence(Qt::ALT | Qt::Key_Delete));
    addCommand(bar, QStringLiteral("&Salva"), &EliCud::salva, QKeySequence(Qt::SHIFT | Qt::Key_F2));
    addCommand(bar, QStringLiteral("&Annulla"), &EliCud::annulla, QKeySequence(Qt::ALT | Qt::Key_Z));
    addCommand(bar, QStringLiteral("S&tato"), &EliCud::stato);
    bar->addStretch();
    addCommand(bar, QStringLiteral("C&ontrolli"), &EliCud::controlli);

    FieldServices services;
    services.report = [this](const std::exception& e) { m_context.lavoro().op.report(e); };
    services.cerca = [this](const ColumnSchema& column, QWidget* parent) {
        return m_context.cerca(column, parent);
    };
    services.hints = DevelopmentHints::forEditor(context.lavoro().app.folders, EditorWindow::Certificates);
    buildList();
    buildPages(services);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_pages, 1);
    connect(&context, &EditingContext::tabelleModificate, this, &EliCud::rileggi);
    resize(1000, 640);
    WindowGeometry::remember(this, QStringLiteral("EliCud"));
    mostra();
}

EliCud::~EliCud()
{
    // The fields go before the editing session they write to.
    delete m_pages;
}

QPushButton* EliCud::addCommand(QLayout* bar, const QString& caption, void (EliCud::*slot)(),
                                const QKeySequence& key)
{
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    if (!key.isEmpty()) {
        button->setToolTip(key.toString(QKeySequence::NativeText));
        connect(new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
                &QShortcut::activated, this, slot);
    }
    bar->addWidget(button);
    QString plain = caption;
    m_commands[plain.remove(u'&')] = button;
    return button;
}

void EliCud::buildList()
{
    QVector<GridColumn> columns;
    for (const ListColumn& column : ListColumns)
        columns.append({QString::fromLatin1(column.field), QString::fromLatin1(column.caption), 0,
                        column.tick ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter});
    m_list->setObjectName(QStringLiteral("grElenco"));
    m_list->setDataset(&m_editing.list(), columns);
    m_list->setItemDelegate(new ListDelegate(m_list));
    m_list->horizontalHeader()->setSectionsClickable(true);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const ListColumn* column =
            listColumnCaptioned(m_list->model()->headerData(section, Qt::Horizontal).toString());
        if (column && column->order)
            run([this, order = *column->order] { m_editing.orderBy(order); });
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    moveTo(m_list->datasetRow(current.row()));
            });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { m_pages->setCurrentIndex(1); });
    m_pages->addTab(m_list, QStringLiteral("Elenco"));
}

void EliCud::buildPages(const FieldServices& services)
{
    const QVector<PaginaCertificato>& pages = pagineCertificato();
    for (int i = 0; i < pages.size(); ++i) {
        const PaginaCertificato& page = pages[i];
        QWidget* widget = nullptr;
        if (page.section) {
            SectionEditing& section = m_editing.section(*page.section);
            auto* frame = new ElfBase(section, colonneDi(i, section.table()), services, {}, m_pages);
            connect(frame, &ElfBase::saved, this, &EliCud::mostra);
            m_sections[m_pages->count()] = frame;
            widget = frame;
        } else {
            auto* form = new ColumnForm(m_editing, colonneDi(i, m_editing.table()), services, {}, m_pages);
            connect(form, &ColumnForm::changed, this, &EliCud::mostra);
            m_forms[m_pages->count()] = form;
            widget = form;
            if (!page.column.isEmpty()) {
                // The annotations: the text and "Aggiungi Nota".
                auto* holder = new QWidget(m_pages);
                auto* layout = new QVBoxLayout(holder);
                layout->addWidget(form, 1);
                auto* row = new QHBoxLayout;
                row->addWidget(addCommand(row, QStringLiteral("Aggiungi &Nota"), &EliCud::aggiungiNota));
                row->addStretch();
                layout->addLayout(row);
                widget = holder;
            }
        }
        widget->setObjectName(QStringLiteral("pagina%1").arg(i + 1));
        m_pages->addTab(widget, page.caption);
    }
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        // The list page is not shown while the certificate is being changed.
        if (index == 0 && m_editing.isEditing()) {
            m_pages->setCurrentIndex(m_shownPage);
            run([] { throw EZfError(QStringLiteral("Salvare prima di cambiare modello.")); });
            return;
        }
        m_shownPage = index;
    });
}

QPushButton* EliCud::command(const QString& caption) const
{
    const auto found = m_commands.find(caption);
    return found == m_commands.end() ? nullptr : found->second;
}

ColumnField* EliCud::field(const QString& table, const QString& column) const
{
    const int page = pageShowing(table, column);
    if (const auto form = m_forms.find(page); form != m_forms.end())
        return form->second->field(column);
    if (const auto frame = m_sections.find(page); frame != m_sections.end())
        return frame->second->form()->field(column);
    return nullptr;
}

ElfBase* EliCud::sectionFrame(SectionKind kind) const
{
    for (const auto& [page, frame] : m_sections)
        if (static_cast<SectionEditing&>(frame->editing()).info().kind == kind)
            return frame;
    return nullptr;
}

int EliCud::pageShowing(const QString& table, const QString& column) const
{
    for (const auto& [page, form] : m_forms)
        if (table == certificate::Table && form->field(column))
            return page;
    for (const auto& [page, frame] : m_sections)
        if (frame->editing().table().name == table && frame->form()->field(column))
            return page;
    return -1;
}

void EliCud::vaiA(const CheckFinding& finding)
{
    run([&] { m_editing.find(finding.fiscalCode, finding.month); });
    if (m_editing.current().fiscalCode.compare(finding.fiscalCode, Qt::CaseInsensitive) != 0)
        return;
    const int page = pageShowing(finding.table, finding.column);
    if (page < 0)
        return;
    m_pages->setCurrentIndex(page);
    if (const auto frame = m_sections.find(page); frame != m_sections.end()) {
        Dataset& rows = frame->second->editing().rows();
        if (finding.row > 0 && finding.row <= rows.recordCount())
            rows.setRecNo(finding.row - 1);
        frame->second->form()->focusColumn(finding.column);
        return;
    }
    m_forms.at(page)->focusColumn(finding.column);
}

void EliCud::moveTo(int position)
{
    if (position == m_editing.list().recNo())
        return;
    run([&] { m_editing.moveTo(position); });
}

void EliCud::primo()
{
    moveTo(0);
}

void EliCud::precedente()
{
    moveTo(std::max(0, m_editing.list().recNo() - 1));
}

void EliCud::successivo()
{
    moveTo(std::min(m_editing.list().recordCount() - 1, m_editing.list().recNo() + 1));
}

void EliCud::ultimo()
{
    moveTo(m_editing.list().recordCount() - 1);
}

void EliCud::inserisci()
{
    run([this] {
        EliCudIns dialog(m_context.lavoro().op, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_editing.insert(dialog.choice());
        m_pages->setCurrentIndex(1);
        if (ColumnField* code = field(certificate::Table, QStringLiteral("SCUDCODFIS")))
            code->input()->setFocus();
    });
}

void EliCud::cancella()
{
    run([this] {
        m_editing.remove();
        m_context.annunciaModifica({certificate::Table}, this);
    });
}

void EliCud::salva()
{
    // The field being typed in is written first.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    run([this] {
        if (!m_editing.isEditing())
            return;
        m_editing.post();
        m_context.annunciaModifica({certificate::Table}, this);
    });
}

void EliCud::annulla()
{
    run([this] { m_editing.cancel(); });
}

void EliCud::stato()
{
    run([this] { m_editing.releasePrinted(); });
}

void EliCud::aggiungiNota()
{
    run([this] {
        if (m_editing.isPrinted())
            throw PrintedLock();
        const auto note = m_context.scegliNota(this);
        if (note)
            m_editing.addNote(note->first, note->second);
    });
}

void EliCud::controlli()
{
    if (!m_controlli)
        m_controlli = new EliControlli(
            m_context.certificates(), [this](const CheckFinding& finding) { m_context.vaiA(finding); }, this);
    else
        m_controlli->aggiorna();
    m_controlli->show();
    m_controlli->raise();
}

void EliCud::closeEvent(QCloseEvent* event)
{
    if (!m_editing.canClose()) {
        event->ignore();
        return;
    }
    if (m_controlli)
        m_controlli->close();
    QWidget::closeEvent(event);
}

void EliCud::rileggi(const QStringList& tables, QObject* source)
{
    if (source == this || m_editing.isEditing() || !tables.contains(certificate::Table))
        return;
    const CurrentCertificate shown = m_editing.current();
    run([&] {
        m_editing.open();
        if (!shown.fiscalCode.isEmpty())
            m_editing.find(shown.fiscalCode, shown.month);
    });
}

void EliCud::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        m_context.lavoro().op.report(e);
    }
    mostra();
}

void EliCud::mostra()
{
    const Dataset& rows = m_editing.list();
    const bool editing = m_editing.isEditing();
    const bool printed = m_editing.isPrinted();
    m_position->setText(editing && rows.state() == Dataset::State::Insert
                            ? QStringLiteral("Ins.")
                            : QStringLiteral("%1 di %2").arg(rows.recNo() + 1).arg(rows.recordCount()));
    command(QStringLiteral("Inserisci"))->setEnabled(!editing);
    command(QStringLiteral("Cancella"))->setEnabled(!editing && !rows.isEmpty());
    command(QStringLiteral("Salva"))->setEnabled(editing);
    command(QStringLiteral("Annulla"))->setEnabled(editing);
    command(QStringLiteral("Stato"))->setEnabled(m_editing.canReleasePrinted() && !editing);
    command(QStringLiteral("Aggiungi Nota"))->setEnabled(!printed && rows.recordCount() > 0);
    for (const auto& [page, form] : m_forms) {
        form->setLocked(printed);
        form->refresh();
    }
    for (const auto& [page, frame] : m_sections)
        frame->setLocked(printed);
    const int row = rows.recNo();
    if (row >= 0 && rows.state() != Dataset::State::Insert &&
        (!m_list->currentIndex().isValid() || m_list->datasetRow(m_list->currentIndex().row()) != row)) {
        const QSignalBlocker blocker(m_list->selectionModel());
        m_list->setCurrentIndex(m_list->model()->index(row, 0));
    }
    m_list->viewport()->update();
}

} // namespace cu
