// A generated field of an editing form.
#include "shell/editors/ColumnField.h"

#include "certificates/CertificateSchema.h"
#include "certificates/FlagValue.h"
#include "certificates/checks/FieldValidators.h"
#include "certificates/editing/ColumnText.h"
#include "certificates/editing/FamilyMonths.h"
#include "certificates/editing/Lookup.h"
#include "certificates/editing/TableEditing.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QToolButton>

namespace cu {

namespace {

// Texts longer than this are edited in a box of many lines.
constexpr int LongText = 255;

const QString MarkStyle = QStringLiteral("border: 2px solid #c00000; background: #fff0f0;");

// Characters of the line, by the column's type and size.
int charactersOf(const ColumnSchema& column)
{
    switch (column.fieldType()) {
    case FieldType::Currency:
        return 14;
    case FieldType::Date:
        return 11;
    case FieldType::Integer:
    case FieldType::SmallInt:
        return 8;
    default:
        return std::clamp(column.size > 0 ? column.size + 1 : 20, 3, 36);
    }
}

QString withUnixLines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

ColumnField::ColumnField(TableEditing& editing, const ColumnSchema& column, const FieldServices& services,
                         QWidget* parent)
    : QWidget(parent), m_editing(editing), m_column(column), m_report(services.report),
      m_cerca(services.cerca), m_hints(services.hints), m_label(new QLabel(captionOf(column), parent))
{
    setObjectName(QStringLiteral("fld") + column.name);
    m_label->setToolTip(column.name);
    m_label->setWordWrap(true);
    buildInput(services);
    m_label->setBuddy(input());
    refresh();
}

QString ColumnField::captionOf(const ColumnSchema& column)
{
    const QString name = column.caption.isEmpty() ? column.name : column.caption;
    return column.point.isEmpty() ? name : column.point + QStringLiteral("  ") + name;
}

void ColumnField::buildInput(const FieldServices& services)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_column.checkBox) {
        m_check = new QCheckBox(this);
        connect(m_check, &QCheckBox::clicked, this, &ColumnField::commitFlag);
    } else if (m_column.fieldType() == FieldType::String && m_column.size > LongText) {
        m_text = new QPlainTextEdit(this);
        m_text->setTabChangesFocus(true);
        m_text->installEventFilter(this);
    } else {
        m_line = new QLineEdit(this);
        m_line->setMaxLength(m_column.fieldType() == FieldType::String && m_column.size > 0 ? m_column.size
                                                                                            : 32767);
        // Wide enough for a short value, at most as wide as the column's size.
        const int digit = m_line->fontMetrics().horizontalAdvance(u'0');
        m_line->setMinimumWidth(digit * std::min(charactersOf(m_column), 14) + 12);
        m_line->setMaximumWidth(digit * charactersOf(m_column) * 6 / 5 + 12);
        if (m_column.fieldType() == FieldType::Currency || m_column.fieldType() == FieldType::Integer)
            m_line->setAlignment(Qt::AlignRight);
        m_line->installEventFilter(this);
        connect(m_line, &QLineEdit::editingFinished, this, [this] { commit(m_line->text()); });
        connect(m_line, &QLineEdit::textEdited, this, &ColumnField::check);
    }
    QWidget* widget = input();
    widget->setObjectName(m_column.name);
    // Lines grow up to their column's size, text boxes to the whole row.
    layout->addWidget(widget, m_check ? 0 : 1);
    if (lookupSource(m_column).kind != LookupSource::Kind::None) {
        m_lookup = new QToolButton(this);
        m_lookup->setText(QStringLiteral("..."));
        m_lookup->setToolTip(QStringLiteral("Finestra di ricerca (F8)"));
        m_lookup->setFocusPolicy(Qt::NoFocus);
        connect(m_lookup, &QToolButton::clicked, this, &ColumnField::openLookup);
        auto* f8 = new QShortcut(QKeySequence(Qt::Key_F8), widget, nullptr, nullptr, Qt::WidgetShortcut);
        connect(f8, &QShortcut::activated, this, &ColumnField::openLookup);
        layout->addWidget(m_lookup);
    }
    if (!m_text)
        layout->addStretch();
    if (services.hints.enabled) {
        widget->setToolTip(services.hints.hintFor(m_column.name));
        if (services.hints.copyOnClick)
            widget->installEventFilter(this);
    }
}

QWidget* ColumnField::input() const
{
    if (m_check)
        return m_check;
    if (m_text)
        return m_text;
    return m_line;
}

QVariant ColumnField::value() const
{
    const Dataset& rows = m_editing.rows();
    if (rows.recNo() < 0)
        return QVariant();
    return rows.value(rows.requireField(m_column.name));
}

void ColumnField::refresh()
{
    const QVariant current = value();
    if (m_check) {
        const QSignalBlocker blocker(m_check);
        m_check->setChecked(isFlagSet(m_editing.table(), m_column, current.toString()));
        return;
    }
    if (m_text) {
        if (withUnixLines(m_text->toPlainText()) != withUnixLines(current.toString()))
            m_text->setPlainText(withUnixLines(current.toString()));
        return;
    }
    const QSignalBlocker blocker(m_line);
    m_line->setText(m_line->hasFocus() ? columntext::edit(m_column, current)
                                       : columntext::display(m_column, current));
    m_line->setCursorPosition(m_line->hasFocus() ? int(m_line->text().size()) : 0);
    check(m_line->text());
}

void ColumnField::setLocked(bool locked)
{
    m_locked = locked;
    if (m_check)
        m_check->setEnabled(!locked);
    if (m_line)
        m_line->setReadOnly(locked);
    if (m_text)
        m_text->setReadOnly(locked);
    if (m_lookup)
        m_lookup->setEnabled(!locked);
}

QString ColumnField::typedText() const
{
    return m_text ? m_text->toPlainText() : m_line->text();
}

void ColumnField::commit(const QString& text)
{
    if (m_committing || m_locked)
        return;
    const QVariant current = value();
    // Leaving a field unchanged changes nothing (the line shows one of the
    // two forms of the value, the text box may hold other line ends).
    if (text == columntext::edit(m_column, current) || text == columntext::display(m_column, current) ||
        (m_text && withUnixLines(text) == withUnixLines(current.toString())))
        return;
    const QScopedValueRollback guard(m_committing, true);
    try {
        m_editing.setText(m_column.name, m_text ? text : text.trimmed());
    } catch (const std::exception& e) {
        m_report(e);
    }
    refresh();
    emit changed();
}

void ColumnField::commitFlag(bool set)
{
    if (m_locked)
        return;
    try {
        m_editing.setText(m_column.name, set ? flagSetValue(m_editing.table(), m_column) : FlagUnset);
    } catch (const std::exception& e) {
        m_report(e);
    }
    refresh();
    emit changed();
}

void ColumnField::openLookup()
{
    if (m_locked || !m_cerca)
        return;
    try {
        const std::optional<QString> chosen = m_cerca(m_column, window());
        if (!chosen)
            return;
        const QScopedValueRollback guard(m_committing, true);
        m_editing.setText(m_column.name, *chosen);
    } catch (const std::exception& e) {
        m_report(e);
    }
    refresh();
    emit changed();
}

void ColumnField::check(const QString& text)
{
    QString defect = fieldDefect(m_column, text);
    if (defect.isEmpty() && isFamilyMonthColumn(m_column.name))
        defect = familyMonthDefect(text.trimmed());
    if (defect == m_defect)
        return;
    m_defect = defect;
    m_line->setStyleSheet(defect.isEmpty() ? QString() : MarkStyle);
    m_line->setToolTip(defect.isEmpty() ? m_hints.hintFor(m_column.name) : defect);
}

bool ColumnField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == input()) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (m_line && !m_locked) {
                const QSignalBlocker blocker(m_line);
                m_line->setText(columntext::edit(m_column, value()));
            }
            break;
        case QEvent::FocusOut:
            // Before the line's own handling, which would show the old value.
            if (m_text || m_line)
                commit(typedText());
            if (m_line)
                refresh();
            break;
        case QEvent::MouseButtonPress:
            if (m_hints.copyOnClick)
                QApplication::clipboard()->setText(m_hints.hintFor(m_column.name));
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace cu
