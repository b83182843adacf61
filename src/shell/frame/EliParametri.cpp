// The financial-year dialog.
#include "shell/frame/EliParametri.h"

#include "shell/common/DialogOperator.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "startup/AnnoFinanziario.h"
#include "store/HlmDBCds.h"
#include "ui_EliParametri.h"

namespace cu {

namespace {

const QString DateFormat = QStringLiteral("dd/MM/yyyy");

} // namespace

EliParametri::EliParametri(LavoroCorrente& lavoro, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliParametri>()), m_lavoro(lavoro)
{
    ui->setupUi(this);
    ui->edAnno->setText(AnnoFinanziario::proposto(lavoro.app.folders));
    const QDate modelDate = QDate::fromString(lavoro.dataModello, DateFormat);
    ui->edDataModello->setDate(modelDate.isValid() ? modelDate : QDate::currentDate());
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &EliParametri::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &EliParametri::reject);
    WindowGeometry::remember(this, QStringLiteral("EliParametri"));
}

EliParametri::~EliParametri() = default;

void EliParametri::accept()
{
    try {
        conferma();
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
        ui->edAnno->setFocus();
        ui->edAnno->selectAll();
        return;
    }
    QDialog::accept();
}

void EliParametri::conferma()
{
    const QString anno = ui->edAnno->text().trimmed();
    const int year = AnnoFinanziario::accetta(anno);
    AnnoFinanziario::memorizza(m_lavoro.app.folders, anno);
    m_lavoro.annoFinanziario = anno;
    m_lavoro.dataModello = ui->edDataModello->date().toString(DateFormat);
    m_lavoro.app.workingYear = year;
    if (m_lavoro.app.store) {
        m_lavoro.app.store->setYear(year);
        m_lavoro.app.store->setMonth(-1);
    }
}

} // namespace cu
