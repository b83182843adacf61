// The windows that print one page of the ordinary model from the first row
// of a table: "Stampa Sostituto" (EliPdfSost: the withholding agent's
// frontispiece, page 1, "Frontespizio.pdf") and "Stampa Quadro CT"
// (EliPdfQuadroCT: page 2, "QuadroCT.pdf"). "Crea stampa dichiarazione"
// runs the core's page print, which loads its tables the first time.
#pragma once

#include "printing/AgentPrint.h"
#include "printing/EliStampePDF.h"
#include "printing/PrintTables.h"

#include <QDialog>
#include <memory>

namespace Ui {
class EliPdfPagina;
}

namespace cu {

class DialogParent;
class PannelloStampa;
struct LavoroCorrente;

class EliPdfPagina : public QDialog
{
    Q_OBJECT
public:
    ~EliPdfPagina() override;

    PannelloStampa* pannello() const;

public slots:
    // "Crea stampa dichiarazione".
    void stampa();

protected:
    EliPdfPagina(LavoroCorrente& lavoro, AgentPrintKind kind, const QString& caption, const QString& text,
                 QWidget* parent);

private:
    std::unique_ptr<Ui::EliPdfPagina> ui;
    LavoroCorrente& m_lavoro;
    std::unique_ptr<DialogParent> m_dialogParent;
    AgentPrintKind m_kind;
    StorePrintTables m_tables;
    EliStampePDF m_modulo;
};

class EliPdfSost : public EliPdfPagina
{
    Q_OBJECT
public:
    explicit EliPdfSost(LavoroCorrente& lavoro, QWidget* parent = nullptr);
};

class EliPdfQuadroCT : public EliPdfPagina
{
    Q_OBJECT
public:
    explicit EliPdfQuadroCT(LavoroCorrente& lavoro, QWidget* parent = nullptr);
};

} // namespace cu
