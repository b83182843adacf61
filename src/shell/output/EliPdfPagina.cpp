// The frontispiece and Quadro CT print windows.
#include "shell/output/EliPdfPagina.h"

#include "shell/common/BusyCursor.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/output/DialogParent.h"
#include "shell/output/PannelloStampa.h"
#include "ui_EliPdfPagina.h"

namespace cu {

EliPdfPagina::EliPdfPagina(LavoroCorrente& lavoro, AgentPrintKind kind, const QString& caption,
                           const QString& text, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliPdfPagina>()), m_lavoro(lavoro),
      m_dialogParent(std::make_unique<DialogParent>(lavoro.op, this)), m_kind(kind),
      m_tables(*lavoro.app.store, lavoro.app.workingYear),
      m_modulo(lavoro.app.folders, m_tables, lavoro.app.workingYear)
{
    ui->setupUi(this);
    setWindowTitle(caption);
    ui->laPagina->setText(text);
    ui->pnStampa->prepara(lavoro.app.folders, lavoro.op, AgentPrint::defaultOutputName(kind));
    connect(ui->pnStampa, &PannelloStampa::creaRichiesta, this, &EliPdfPagina::stampa);
    connect(ui->pnStampa, &PannelloStampa::esciRichiesta, this, &QDialog::reject);
    resize(560, 300);
    WindowGeometry::remember(this, caption);
}

EliPdfPagina::~EliPdfPagina() = default;

PannelloStampa* EliPdfPagina::pannello() const
{
    return ui->pnStampa;
}

void EliPdfPagina::stampa()
{
    try {
        const BusyScope busy;
        AgentPrint print(m_lavoro.app.folders);
        print.message = [this](const QString& text) { ui->pnStampa->aggiungiMessaggio(text); };
        ui->pnStampa->stampaSalvata({m_modulo.PrintAgentPage(print, m_kind, ui->pnStampa->nomeFile())});
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
}

EliPdfSost::EliPdfSost(LavoroCorrente& lavoro, QWidget* parent)
    : EliPdfPagina(lavoro, AgentPrintKind::Frontispiece, QStringLiteral("Stampa Sostituto"),
                   QStringLiteral("Frontespizio del sostituto d'imposta (prima pagina del modello "
                                  "ordinario), dai dati di \"Dati Sostituto\"."),
                   parent)
{
}

EliPdfQuadroCT::EliPdfQuadroCT(LavoroCorrente& lavoro, QWidget* parent)
    : EliPdfPagina(lavoro, AgentPrintKind::QuadroCT, QStringLiteral("Stampa Quadro CT"),
                   QStringLiteral("Quadro CT (seconda pagina del modello ordinario), dai dati di "
                                  "\"Quadro CT\"."),
                   parent)
{
}

} // namespace cu
