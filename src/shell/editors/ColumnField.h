// One field of an editing form, made from its column of the schema file:
// a caption of the point number and name, and the input its type asks for:
// a check box for a flag (ticked only by the column's set value), a text
// box of many lines for long texts, a line otherwise; amounts shown
// "#,##0.00" (zero blank) and edited "#.00", FCUDQUOTA2122 with three
// decimals. A coded column has a button and F8 that open "Finestra di
// ricerca". What is typed goes to the table's editing session when the
// field is left (ColumnText reads it); fiscal codes, dates, provinces,
// postcodes and the family month counts are checked as they are typed and
// a wrong text is marked on the field, without a message box.
#pragma once

#include "certificates/editing/DevelopmentHints.h"

#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace cu {

class TableEditing;
struct ColumnSchema;

// What a field needs from its window.
struct FieldServices
{
    std::function<void(const std::exception&)> report;
    // The lookup dialog for a coded column; none when cancelled.
    std::function<std::optional<QString>(const ColumnSchema&, QWidget*)> cerca;
    DevelopmentHints hints;
};

class ColumnField : public QWidget
{
    Q_OBJECT
public:
    ColumnField(TableEditing& editing, const ColumnSchema& column, const FieldServices& services,
                QWidget* parent = nullptr);

    // "421 Contributi" (point and caption), the caption alone, or the column
    // name when the schema gives neither point nor caption.
    static QString captionOf(const ColumnSchema& column);

    const ColumnSchema& column() const { return m_column; }
    QLabel* label() const { return m_label; }
    // The widget the operator types into (line, text box or check box).
    QWidget* input() const;
    QLineEdit* line() const { return m_line; }
    QCheckBox* checkBox() const { return m_check; }
    QToolButton* lookupButton() const { return m_lookup; }

    // Shows the current row's value.
    void refresh();
    void setLocked(bool locked);
    // What is wrong with the typed text; empty when nothing.
    const QString& defect() const { return m_defect; }
    // The lookup dialog, as F8 and the button open it.
    void openLookup();

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInput(const FieldServices& services);
    void commit(const QString& text);
    void commitFlag(bool set);
    void check(const QString& text);
    QString typedText() const;
    QVariant value() const;

    TableEditing& m_editing;
    const ColumnSchema& m_column;
    std::function<void(const std::exception&)> m_report;
    std::function<std::optional<QString>(const ColumnSchema&, QWidget*)> m_cerca;
    DevelopmentHints m_hints;
    QLabel* m_label;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QCheckBox* m_check = nullptr;
    QToolButton* m_lookup = nullptr;
    QString m_defect;
    bool m_committing = false;
    bool m_locked = false;
};

} // namespace cu
