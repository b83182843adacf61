// The editing frame.
#include "shell/editors/ElfBase.h"

#include "certificates/editing/TableEditing.h"
#include "foundation/operator/Errors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace cu {

ElfBase::ElfBase(TableEditing& editing, const QVector<const ColumnSchema*>& columns,
                 const FieldServices& services, const QHash<QString, QString>& headings, QWidget* parent)
    : QWidget(parent), m_editing(editing), m_report(services.report),
      m_form(new ColumnForm(editing, columns, services, headings, this)), m_position(new QLabel(this))
{
    auto* bar = new QHBoxLayout;
    bar->addWidget(navButton(QStringLiteral("|<"), QStringLiteral("Primo"),
                             QKeySequence(Qt::CTRL | Qt::Key_Home), &ElfBase::first));
    bar->addWidget(navButton(QStringLiteral("<"), QStringLiteral("Precedente"),
                             QKeySequence(Qt::CTRL | Qt::Key_Up), &ElfBase::prior));
    m_position->setObjectName(QStringLiteral("laPosizione"));
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setMinimumWidth(m_position->fontMetrics().horizontalAdvance(QStringLiteral("9999 di 9999")));
    bar->addWidget(m_position);
    bar->addWidget(navButton(QStringLiteral(">"), QStringLiteral("Successivo"),
                             QKeySequence(Qt::CTRL | Qt::Key_Down), &ElfBase::next));
    bar->addWidget(navButton(QStringLiteral(">|"), QStringLiteral("Ultimo"),
                             QKeySequence(Qt::CTRL | Qt::Key_End), &ElfBase::last));
    bar->addSpacing(16);
    m_insert = commandButton(QStringLiteral("&Inserisci"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
                             &ElfBase::inserisci);
    m_delete = commandButton(QStringLiteral("&Cancella"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
                             &ElfBase::cancella);
    m_save = commandButton(QStringLiteral("&Salva"), QKeySequence(Qt::Key_F2), &ElfBase::salva);
    m_cancel = commandButton(QStringLiteral("&Annulla"), QKeySequence(Qt::CTRL | Qt::Key_Z), &ElfBase::annulla);
    for (QPushButton* button : {m_insert, m_delete, m_save, m_cancel})
        bar->addWidget(button);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_form, 1);

    connect(m_form, &ColumnForm::changed, this, &ElfBase::refresh);
    Dataset& rows = editing.rows();
    for (auto signal : {&Dataset::rowsReset, &Dataset::structureChanged})
        connect(&rows, signal, this, &ElfBase::refresh);
    connect(&rows, &Dataset::currentChanged, this, &ElfBase::refresh);
    connect(&rows, &Dataset::stateChanged, this, &ElfBase::refresh);
    refresh();
}

QToolButton* ElfBase::navButton(const QString& text, const QString& tip, const QKeySequence& key,
                                void (ElfBase::*slot)())
{
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + u')');
    connect(button, &QToolButton::clicked, this, slot);
    auto* shortcut = new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, slot);
    return button;
}

QPushButton* ElfBase::commandButton(const QString& text, const QKeySequence& key, void (ElfBase::*slot)())
{
    auto* button = new QPushButton(text, this);
    button->setToolTip(key.toString(QKeySequence::NativeText));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    auto* shortcut = new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, slot);
    return button;
}

void ElfBase::refresh()
{
    const bool editing = m_editing.isEditing();
    const bool empty = m_editing.rows().isEmpty();
    m_position->setText(m_editing.positionText());
    m_insert->setEnabled(!m_locked && !editing && m_editing.canInsert());
    m_delete->setEnabled(!m_locked && !editing && !empty);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_form->setLocked(m_locked);
    m_form->refresh();
    if (editing && !m_wasEditing)
        emit editingStarted();
    m_wasEditing = editing;
}

void ElfBase::setLocked(bool locked)
{
    m_locked = locked;
    refresh();
}

void ElfBase::move(const std::function<void()>& step)
{
    run([&] {
        if (m_editing.isEditing())
            throw EZfError(QStringLiteral("Salvare prima di cambiare modello."));
        step();
    });
}

void ElfBase::first()
{
    move([this] { m_editing.rows().first(); });
}

void ElfBase::prior()
{
    move([this] { m_editing.rows().prior(); });
}

void ElfBase::next()
{
    move([this] {
        Dataset& rows = m_editing.rows();
        if (rows.recNo() + 1 < rows.recordCount())
            rows.next();
    });
}

void ElfBase::last()
{
    move([this] { m_editing.rows().last(); });
}

void ElfBase::inserisci()
{
    run([this] { m_editing.insert(); });
}

void ElfBase::cancella()
{
    run([this] {
        m_editing.remove();
        emit saved();
    });
}

void ElfBase::salva()
{
    // The field being typed in is written first.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    run([this] {
        if (!m_editing.isEditing())
            return;
        m_editing.post();
        emit saved();
    });
}

void ElfBase::annulla()
{
    run([this] { m_editing.cancel(); });
}

void ElfBase::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        m_report(e);
    }
    refresh();
}

} // namespace cu
