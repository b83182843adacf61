// "Dati CU": the year's certificates. The list page ("Codice fiscale",
// "Cognome", "Nome", "Mese" and the tick marks of "Conguaglio",
// "Comprensivo", "Importato"; printed certificates in red; a click on a
// column title orders the list), the pages of the selected certificate and
// one frame per section, all generated from the schema file
// (CertificatePages). The commands: navigation, "Inserisci" (through
// "Conguaglio/Chiusura"), "Cancella", "Salva", "Annulla", "Stato" (the only
// way back from printed to editable), "Aggiungi Nota" and "Controlli".
// Every rule, question and refusal is the editing session's
// (CertificateEditing); the window shows them.
#pragma once

#include "certificates/checks/YearChecks.h"
#include "certificates/editing/CertificateEditing.h"
#include "shell/editors/ColumnForm.h"

#include <QWidget>
#include <map>

class QLabel;
class QPushButton;
class QTabWidget;

namespace cu {

class DatasetGrid;
class EditingContext;
class EliControlli;
class ElfBase;

class EliCud : public QWidget
{
    Q_OBJECT
public:
    EliCud(EditingContext& context, QWidget* parent = nullptr);
    ~EliCud() override;

    CertificateEditing& editing() { return m_editing; }
    QTabWidget* pages() const { return m_pages; }
    DatasetGrid* list() const { return m_list; }
    QLabel* position() const { return m_position; }
    // The generated field of a column of the certificate row or of a section
    // (the first page that shows it); null when none shows it.
    ColumnField* field(const QString& table, const QString& column) const;
    ElfBase* sectionFrame(SectionKind kind) const;
    QPushButton* command(const QString& caption) const;

    // Opens the certificate of a finding at its field.
    void vaiA(const CheckFinding& finding);

    void primo();
    void precedente();
    void successivo();
    void ultimo();
    void inserisci();
    void cancella();
    void salva();
    void annulla();
    void stato();
    void aggiungiNota();
    void controlli();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildList();
    void buildPages(const FieldServices& services);
    QPushButton* addCommand(QLayout* bar, const QString& caption, void (EliCud::*slot)(),
                            const QKeySequence& key = {});
    void moveTo(int position);
    void run(const std::function<void()>& command);
    void mostra();
    void rileggi(const QStringList& tables, QObject* source);
    // The first page that shows the column of the table; -1 for none.
    int pageShowing(const QString& table, const QString& column) const;

    EditingContext& m_context;
    CertificateEditing m_editing;
    QTabWidget* m_pages;
    DatasetGrid* m_list;
    QLabel* m_position;
    std::map<int, ColumnForm*> m_forms;   // page index -> form of the certificate row
    std::map<int, ElfBase*> m_sections;   // page index -> section frame
    std::map<QString, QPushButton*> m_commands;
    EliControlli* m_controlli = nullptr;
    int m_shownPage = 0;
};

} // namespace cu
