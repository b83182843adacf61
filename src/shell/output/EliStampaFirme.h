// The window "Stampa nominativi CUD per firme": the certificates by surname
// and name (printed ones in red), marked one by one; "Stampa" prints the
// signature sheet ("Firme.pdf", 23 recipients a sheet) for the marked rows
// in list order, or for every row when none is marked, and opens it.
#pragma once

#include "foundation/dataset/Dataset.h"
#include "printing/PrintTables.h"

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class EliStampaFirme;
}

namespace cu {

class DatasetGrid;
class DialogParent;
struct LavoroCorrente;

class EliStampaFirme : public QDialog
{
    Q_OBJECT
public:
    explicit EliStampaFirme(LavoroCorrente& lavoro, QWidget* parent = nullptr);
    ~EliStampaFirme() override;

    DatasetGrid* lista() const;
    // The fiscal codes "Stampa" prints, in list order.
    QStringList codiciScelti() const;
    // The sheet saved last; empty before.
    const QString& fileSalvato() const { return m_file; }

public slots:
    void stampa();

private:
    std::unique_ptr<Ui::EliStampaFirme> ui;
    LavoroCorrente& m_lavoro;
    std::unique_ptr<DialogParent> m_dialogParent;
    StorePrintTables m_tables;
    Dataset m_lista;
    QString m_file;
};

} // namespace cu
