// The signature-sheet window.
#include "shell/output/EliStampaFirme.h"

#include "printing/EliStampePDF.h"
#include "shell/common/BusyCursor.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/OpenDocument.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/output/DialogParent.h"
#include "ui_EliStampaFirme.h"

#include <QDir>
#include <QSet>

namespace cu {

EliStampaFirme::EliStampaFirme(LavoroCorrente& lavoro, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliStampaFirme>()), m_lavoro(lavoro),
      m_dialogParent(std::make_unique<DialogParent>(lavoro.op, this)),
      m_tables(*lavoro.app.store, lavoro.app.workingYear)
{
    ui->setupUi(this);
    {
        const BusyScope busy;
        m_tables.open(m_lista, QStringLiteral("TCUD_DATICUD"));
        m_lista.setIndexFieldNames(QStringLiteral("SCUDCOGNOME;SCUDNOME"));
        m_lista.first();
    }
    ui->grdFirme->setDataset(&m_lista, {{QStringLiteral("SCUDCOGNOME"), QStringLiteral("Cognome"), 220},
                                        {QStringLiteral("SCUDNOME"), QStringLiteral("Nome"), 180}});
    ui->grdFirme->setMarkable(QStringLiteral("SCUDCODFIS;SCUDMESE"));
    const int stato = m_lista.requireField(u"ICUDSTATO");
    ui->grdFirme->setRowColour([this, stato](int row) {
        return m_lista.valueAt(row, stato).toInt() > 0 ? QColor(Qt::red) : QColor();
    });
    connect(ui->buStampa, &QPushButton::clicked, this, &EliStampaFirme::stampa);
    resize(520, 560);
    WindowGeometry::remember(this, QStringLiteral("EliStampaFirme"));
}

EliStampaFirme::~EliStampaFirme() = default;

DatasetGrid* EliStampaFirme::lista() const
{
    return ui->grdFirme;
}

QStringList EliStampaFirme::codiciScelti() const
{
    const QStringList keys = ui->grdFirme->markedKeys();
    const QSet<QString> marked(keys.begin(), keys.end());
    const int codice = m_lista.requireField(u"SCUDCODFIS");
    const int mese = m_lista.requireField(u"SCUDMESE");
    QStringList codes;
    for (int row = 0; row < m_lista.recordCount(); ++row) {
        const QString code = m_lista.valueAt(row, codice).toString();
        if (marked.isEmpty() || marked.contains(code + u'/' + m_lista.valueAt(row, mese).toString()))
            codes.append(code);
    }
    return codes;
}

void EliStampaFirme::stampa()
{
    try {
        const BusyScope busy;
        EliStampePDF module(m_lavoro.app.folders, m_tables, m_lavoro.app.workingYear);
        module.openDocument = [](const QString& path) { apriDocumento(path); };
        m_file = module.PrintSignatureSheet(codiciScelti());
        ui->laMessaggio->setText(QStringLiteral("File generato: ") + QDir::toNativeSeparators(m_file));
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
}

} // namespace cu
