// The wizard "Generazione file telematico Certificazione Unica". Page
// "Dipendenti": the choice "Tutti", "su Prenotazione" or "Nessuno" and the
// certificate list, marked one by one for "su Prenotazione" and ordered by
// the column whose title was clicked (the certificates are numbered in that
// order). Page "Crea file": "Crea File telematico" checks the data (the
// information window asks whether to go on) and builds the field list with
// the progress dialog, the log below it; "Salva" asks for the file name
// (USR/FJ2024/DichCU/CUR25 proposed) and writes the file, split when the
// supply is too large. Afterwards the page offers to open the file's folder
// and to show the file field by field. Every rule is the file production's
// of the core, the same that "modellocu file" runs.
#pragma once

#include "foundation/database/JobLock.h"
#include "telematic/TelematicProduction.h"

#include <QWizard>
#include <memory>

namespace Ui {
class EliFile;
}

namespace cu {

class DatasetGrid;
class DialogParent;
struct LavoroCorrente;

class EliFile : public QWizard
{
    Q_OBJECT
public:
    explicit EliFile(LavoroCorrente& lavoro, QWidget* parent = nullptr);
    ~EliFile() override;

    // The choice as the controls set it, as the core takes it.
    TelematicOptions scelta() const;
    DatasetGrid* lista() const;
    QString log() const;
    // The files of the last save; empty before.
    const QStringList& fileScritti() const { return m_fileScritti; }

public slots:
    // "Crea File telematico".
    void creaFile();
    // "Salva".
    void salva();

private:
    void carica();
    JobLock bloccaAnno() const;
    void mostraLista();
    void sceltaCambiata();
    void ordinaPer(int column);
    void paginaCambiata(int id);
    void abilitaPulsanti(bool enabled);
    void aggiornaPrenotati();
    void aggiungiLog(const QString& line);
    QString chiediNomeFile();
    void apriCartella();
    void mostraFile();

    std::unique_ptr<Ui::EliFile> ui;
    LavoroCorrente& m_lavoro;
    std::unique_ptr<DialogParent> m_dialogParent;
    std::unique_ptr<TelematicProduction> m_production;
    QString m_ordine;
    QStringList m_fileScritti;
    int m_paginaPrecedente = -1;
};

} // namespace cu
