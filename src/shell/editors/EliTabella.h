// The windows of the agent, the other agents, the CT form and the supplier:
// a list page and a detail page over one table's editing session, the
// detail page an editing frame (ElfBase) with the columns of the table as
// the schema file gives them, under the headings of the window. Every post
// and delete is saved by the session, which also holds the table's rules;
// the window cannot be closed while a change is pending. After a save the
// other windows are told which tables changed; when another window changed
// this one's table, it reads it again (unless a change is pending here).
// In development mode a click on a field copies its column name.
#pragma once

#include "certificates/checks/YearChecks.h"
#include "certificates/editing/DevelopmentHints.h"
#include "shell/common/DatasetGrid.h"

#include <QHash>
#include <QWidget>
#include <memory>

class QTabWidget;

namespace cu {

class EditingContext;
class ElfBase;
class TableEditing;

struct DescrizioneTabella
{
    QString name;                   // "EliSost": object name, remembered geometry
    QString title;                  // "Dati Sostituto"
    EditorWindow kind;
    QVector<GridColumn> list;       // the list page's columns
    QHash<QString, QString> headings; // a heading before a column
    QStringList writes;             // the tables a save writes (the own one first)
};

class EliTabella : public QWidget
{
    Q_OBJECT
public:
    EliTabella(EditingContext& context, std::unique_ptr<TableEditing> editing,
               const DescrizioneTabella& description, QWidget* parent = nullptr);
    ~EliTabella() override;

    TableEditing& editing() const { return *m_editing; }
    ElfBase* frame() const { return m_frame; }
    DatasetGrid* list() const { return m_list; }
    QTabWidget* pages() const { return m_pages; }
    // Shows the detail page at a column (a finding of the checks).
    void vaiACampo(const QString& column);

protected:
    void closeEvent(QCloseEvent* event) override;
    EditingContext& context() const { return m_context; }

private:
    void rileggi(const QStringList& tables, QObject* source);
    void mostra();

    EditingContext& m_context;
    std::unique_ptr<TableEditing> m_editing;
    QStringList m_writes;
    QTabWidget* m_pages;
    DatasetGrid* m_list;
    ElfBase* m_frame;
};

} // namespace cu
