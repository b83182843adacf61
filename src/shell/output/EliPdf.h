// The window "Stampa modello" of the activities "Stampa CU Sintetico" and
// "Stampa CU Ordinario" (the flag "ordinario" chooses the model). The
// certificates of the year in a list that is ordered by the clicked column
// (surname, name, month or fiscal code lead), printed ones in red, the flags
// "Conguaglio" and "Comprensivo" as ticks; marking a row switches the
// selection to "Selezionati", unmarking the last one back to "Tutti". The
// print runs the certificate print of the core, with the progress dialog
// whose "Annulla" saves no file and marks nothing; the saved file is named
// in the message area and opened on request.
#pragma once

#include "foundation/dataset/Dataset.h"
#include "printing/CertificatePrint.h"
#include "printing/PrintTables.h"

#include <QDialog>
#include <memory>

namespace Ui {
class EliPdf;
}

namespace cu {

class DatasetGrid;
class DialogParent;
class PannelloStampa;
struct LavoroCorrente;

class EliPdf : public QDialog
{
    Q_OBJECT
public:
    EliPdf(LavoroCorrente& lavoro, bool ordinario, QWidget* parent = nullptr);
    ~EliPdf() override;

    bool ordinario() const { return m_ordinario; }
    DatasetGrid* lista() const;
    PannelloStampa* pannello() const;
    // The options as the controls set them, as the core takes them.
    CertificatePrintOptions opzioni() const;

public slots:
    // "Crea stampa dichiarazione".
    void stampa();

private:
    void ordinaPer(int column);
    void marcheCambiate();
    QVector<int> righeMarcate() const;

    std::unique_ptr<Ui::EliPdf> ui;
    LavoroCorrente& m_lavoro;
    std::unique_ptr<DialogParent> m_dialogParent;
    bool m_ordinario;
    StorePrintTables m_tables;
    CertificatePrint m_print;
    Dataset m_lista;
};

} // namespace cu
