// The editing frame of one table: the navigation (first, prior, next, last)
// with the position "%d di %d" or "Ins.", the commands "Inserisci",
// "Cancella", "Salva" and "Annulla" with their keys, and the generated form
// of the table's columns. A row is posted only by "Salva" (F2); moving away
// from a changed row is refused with "Salvare prima di cambiare modello.".
// The rules, questions and refusals are the editing session's.
#pragma once

#include "shell/editors/ColumnForm.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace cu {

class TableEditing;

class ElfBase : public QWidget
{
    Q_OBJECT
public:
    ElfBase(TableEditing& editing, const QVector<const ColumnSchema*>& columns, const FieldServices& services,
            const QHash<QString, QString>& headings = {}, QWidget* parent = nullptr);

    TableEditing& editing() const { return m_editing; }
    ColumnForm* form() const { return m_form; }
    QLabel* position() const { return m_position; }

    // Shows the current row and the commands' state.
    void refresh();
    // Read-only (a printed certificate's sections).
    void setLocked(bool locked);

    void first();
    void prior();
    void next();
    void last();
    void inserisci();
    void cancella();
    void salva();
    void annulla();

signals:
    // After a post or a delete was saved.
    void saved();
    // The row entered edit or insert mode.
    void editingStarted();

private:
    QToolButton* navButton(const QString& text, const QString& tip, const QKeySequence& key,
                           void (ElfBase::*slot)());
    QPushButton* commandButton(const QString& text, const QKeySequence& key, void (ElfBase::*slot)());
    void move(const std::function<void()>& step);
    void run(const std::function<void()>& command);

    TableEditing& m_editing;
    std::function<void(const std::exception&)> m_report;
    ColumnForm* m_form;
    QLabel* m_position;
    QPushButton* m_insert = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_locked = false;
    bool m_wasEditing = false;
};

} // namespace cu
