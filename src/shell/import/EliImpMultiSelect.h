// The selection window "Scelta dipendenti": the positions that can get a
// certificate for the wizard's month (the import core's list), with the
// filters "Categoria", "Pos.Giur.", "Qualifica", the incremental search, the
// marks and "Prenotati: ", the choice for certificates already stored and
// "Forza l'importazione dei modelli già stampati". OK runs the import of the
// marked positions (all shown ones when none is marked) through the import
// core, with the progress dialog, the "Posizioni giuridiche" dialog and the
// import log in the information window at the end.
#pragma once

#include "foundation/dataset/Dataset.h"
#include "import/run/ImportParameters.h"

#include <QDialog>
#include <memory>

namespace Ui {
class EliImpMultiSelect;
}

class QComboBox;

namespace cu {

class ArchiveRows;
class MultiSelectList;
struct LavoroCorrente;

class EliImpMultiSelect : public QDialog
{
    Q_OBJECT
public:
    // Lists the positions; when there is none, says "Nessuna dato da
    // importare!" and shows no window; otherwise shows the window modally.
    static void Execute(QWidget* owner, LavoroCorrente& lavoro, const Dataset& cdsParametri, int siteId);

    EliImpMultiSelect(LavoroCorrente& lavoro, const ImportParameters& params, const ArchiveRows& list,
                      int siteId, QWidget* parent = nullptr);
    ~EliImpMultiSelect() override;

    void accept() override;
    MultiSelectList* lista() const;

private:
    // A filter list: "(Tutte)", then "code - description" of each row.
    void caricaFiltro(QComboBox* box, const QString& query, const QString& code, const QString& description);
    bool mostrata(int row) const;
    void filtroCambiato();
    void ordina();
    ImportParameters parametriScelti() const;

    std::unique_ptr<Ui::EliImpMultiSelect> ui;
    LavoroCorrente& m_lavoro;
    ImportParameters m_params;
    int m_siteId;
    Dataset m_lista;
};

} // namespace cu
