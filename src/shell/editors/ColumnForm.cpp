// A generated form.
#include "shell/editors/ColumnForm.h"

#include "certificates/CertificateSchema.h"

#include <QGridLayout>
#include <QLabel>

namespace cu {

namespace {

constexpr int PairsPerRow = 2;

} // namespace

ColumnForm::ColumnForm(TableEditing& editing, const QVector<const ColumnSchema*>& columns,
                       const FieldServices& services, const QHash<QString, QString>& headings,
                       QWidget* parent)
    : QScrollArea(parent)
{
    auto* content = new QWidget(this);
    auto* grid = new QGridLayout(content);
    grid->setHorizontalSpacing(10);
    int row = 0;
    int pair = 0;
    for (const ColumnSchema* column : columns) {
        if (const auto heading = headings.find(column->name); heading != headings.end()) {
            if (pair > 0)
                ++row;
            auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(heading->toHtmlEscaped()), content);
            title->setContentsMargins(0, row > 0 ? 10 : 0, 0, 2);
            grid->addWidget(title, row++, 0, 1, PairsPerRow * 2);
            pair = 0;
        }
        auto* field = new ColumnField(editing, *column, services, content);
        connect(field, &ColumnField::changed, this, &ColumnForm::changed);
        m_fields.append(field);
        field->label()->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 10);
        const bool wide = !field->line() && !field->checkBox();
        if (wide && pair > 0) {
            ++row;
            pair = 0;
        }
        grid->addWidget(field->label(), row, pair * 2, Qt::AlignTop);
        grid->addWidget(field, row, pair * 2 + 1, 1, wide ? PairsPerRow * 2 - 1 : 1);
        if (wide || ++pair == PairsPerRow) {
            ++row;
            pair = 0;
        }
    }
    for (int column = 0; column < PairsPerRow; ++column) {
        grid->setColumnStretch(column * 2, 2);
        grid->setColumnStretch(column * 2 + 1, 3);
    }
    grid->setRowStretch(row + 1, 1);
    setWidget(content);
    setWidgetResizable(true);
}

ColumnField* ColumnForm::field(const QString& column) const
{
    for (ColumnField* field : m_fields)
        if (field->column().name.compare(column, Qt::CaseInsensitive) == 0)
            return field;
    return nullptr;
}

void ColumnForm::refresh()
{
    for (ColumnField* field : m_fields)
        field->refresh();
}

void ColumnForm::setLocked(bool locked)
{
    for (ColumnField* field : m_fields)
        field->setLocked(locked);
}

void ColumnForm::focusColumn(const QString& column)
{
    ColumnField* found = field(column);
    if (!found)
        return;
    ensureWidgetVisible(found);
    found->input()->setFocus(Qt::OtherFocusReason);
}

} // namespace cu
