// A form of generated fields over one table's editing session: the given
// columns in their schema order, two to a row, in a scrolling area. Knows
// nothing of any column: whatever the schema file lists appears.
#pragma once

#include "shell/editors/ColumnField.h"

#include <QHash>
#include <QScrollArea>
#include <QVector>

namespace cu {

class ColumnForm : public QScrollArea
{
    Q_OBJECT
public:
    // headings: a heading shown before a column (by its name).
    ColumnForm(TableEditing& editing, const QVector<const ColumnSchema*>& columns,
               const FieldServices& services, const QHash<QString, QString>& headings = {},
               QWidget* parent = nullptr);

    const QVector<ColumnField*>& fields() const { return m_fields; }
    // The field of a column (case ignored); null when the form lacks it.
    ColumnField* field(const QString& column) const;
    void refresh();
    void setLocked(bool locked);
    // Shows the field and gives it the focus.
    void focusColumn(const QString& column);

signals:
    void changed();

private:
    QVector<ColumnField*> m_fields;
};

} // namespace cu
