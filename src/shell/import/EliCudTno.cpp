// The legal-position dialog.
#include "shell/import/EliCudTno.h"

#include "import/archive/ImportTables.h"
#include "shell/common/BusyCursor.h"
#include "shell/common/WindowGeometry.h"
#include "ui_EliCudTno.h"

#include <QHeaderView>

namespace cu {

namespace {

enum Column
{
    Codice,
    Descrizione,
    Inps,
    Fiscali
};

QTableWidgetItem* flagItem(bool on)
{
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    return item;
}

QTableWidgetItem* textItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

EliCudTno::EliCudTno(const QString& caption, const QVector<PosizioneGiuridicaRiga>& rows, bool cococo,
                     QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliCudTno>()), m_rows(rows)
{
    ui->setupUi(this);
    setWindowTitle(caption);
    ui->grdPosizioni->setHorizontalHeaderLabels(
        {QStringLiteral("Cod."), QStringLiteral("Posizione giuridica"), QStringLiteral("INPS"), QStringLiteral("Fiscali")});
    ui->grdPosizioni->verticalHeader()->hide();
    ui->grdPosizioni->horizontalHeader()->setSectionResizeMode(Descrizione, QHeaderView::Stretch);
    ui->chCococo->setChecked(cococo);
    mostra();
    connect(ui->chCococo, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            return;
        leggiFlag();
        PosizioniGiuridicheScelta::applicaCococo(m_rows, ImportTables::standard().tnoCococo);
        mostra();
    });
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    WindowGeometry::remember(this, QStringLiteral("EliCudTno"));
}

EliCudTno::~EliCudTno() = default;

void EliCudTno::mostra()
{
    ui->grdPosizioni->setRowCount(static_cast<int>(m_rows.size()));
    for (int row = 0; row < m_rows.size(); ++row) {
        const PosizioneGiuridicaRiga& r = m_rows[row];
        ui->grdPosizioni->setItem(row, Codice, textItem(QString::number(r.codice)));
        ui->grdPosizioni->setItem(row, Descrizione, textItem(r.descrizione));
        ui->grdPosizioni->setItem(row, Inps, flagItem(r.inps));
        ui->grdPosizioni->setItem(row, Fiscali, flagItem(r.fiscali));
    }
    ui->grdPosizioni->resizeColumnToContents(Codice);
    if (!m_rows.isEmpty())
        ui->grdPosizioni->setCurrentCell(0, Inps);
}

void EliCudTno::leggiFlag()
{
    m_rows = righe();
}

QVector<PosizioneGiuridicaRiga> EliCudTno::righe() const
{
    QVector<PosizioneGiuridicaRiga> rows = m_rows;
    for (int row = 0; row < rows.size(); ++row) {
        rows[row].inps = ui->grdPosizioni->item(row, Inps)->checkState() == Qt::Checked;
        rows[row].fiscali = ui->grdPosizioni->item(row, Fiscali)->checkState() == Qt::Checked;
    }
    return rows;
}

bool EliCudTno::cococo() const
{
    return ui->chCococo->isChecked();
}

bool SceltaPosizioniDialogo::scegli(const QString& caption, QVector<PosizioneGiuridicaRiga>& rows, bool& cococo)
{
    const ArrowScope arrow;
    EliCudTno dialog(caption, rows, cococo, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    rows = dialog.righe();
    cococo = dialog.cococo();
    return true;
}

} // namespace cu
