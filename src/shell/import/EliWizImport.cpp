// The import wizard.
#include "shell/import/EliWizImport.h"

#include "foundation/dataset/Dataset.h"
#include "import/archive/CatalogueArchive.h"
#include "import/run/ImportChecks.h"
#include "import/run/ParametriRecord.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "ui_EliWizImport.h"

#include <QDate>

namespace cu {

namespace {

constexpr int CategoriaPredefinite = 0;
constexpr int CategoriaSoloAutonomi = 7;

int yearId(int year)
{
    return year - 1969;
}

} // namespace

EliWizImport::EliWizImport(LavoroCorrente& lavoro, Dataset& cdsParametri, int siteId, QWidget* parent)
    : QWizard(parent), ui(std::make_unique<Ui::EliWizImport>()), m_lavoro(lavoro), m_record(cdsParametri)
{
    ui->setupUi(this);
    setButtonText(QWizard::BackButton, QStringLiteral("< &Indietro"));
    setButtonText(QWizard::NextButton, QStringLiteral("&Avanti >"));
    setButtonText(QWizard::FinishButton, QStringLiteral("Im&porta"));
    setButtonText(QWizard::CancelButton, QStringLiteral("Annulla"));
    const int year = lavoro.app.workingYear;
    ui->chAccontoAddCom->setText(ui->chAccontoAddCom->text() + QStringLiteral(" %1").arg(year + 1));
    ui->gbAddCom->setTitle(QStringLiteral(" Addizionale comunale %1  ").arg(year));
    caricaCategorie();
    caricaMesi();
    ui->chSostituto->setChecked(ParametriRecord::leggi(cdsParametri).sostituto);
    m_codici = ParametriContributivi::leggi(*lavoro.app.connection, *lavoro.app.catalogue, yearId(year), siteId);
    mostraCodici();
    accoppiaOpzioni();
    WindowGeometry::remember(this, QStringLiteral("EliWizImport"));
}

EliWizImport::~EliWizImport() = default;

void EliWizImport::caricaCategorie()
{
    CatalogueArchive archive(*m_lavoro.app.connection, *m_lavoro.app.catalogue);
    const ArchiveRows rows = archive.open({QStringLiteral("QRY_CUD_CAL"), {}, {}, {}});
    ui->cbCategoria->addItem(QStringLiteral("(Predefinite)"), CategoriaPredefinite);
    for (int row = 0; row < rows.size(); ++row)
        ui->cbCategoria->addItem(QStringLiteral("%1 - %2").arg(rows.string(row, QStringLiteral("ICALZEFIRCODE")).trimmed(),
                                                             rows.string(row, QStringLiteral("SCALLDESC")).trimmed()),
                                 static_cast<int>(rows.integer(row, QStringLiteral("ICALID"))));
    ui->cbCategoria->addItem(QStringLiteral("7 - Solo autonomi"), CategoriaSoloAutonomi);
    ui->cbCategoria->setCurrentIndex(0);
}

void EliWizImport::caricaMesi()
{
    CatalogueArchive archive(*m_lavoro.app.connection, *m_lavoro.app.catalogue);
    const ArchiveRows rows = archive.open({QStringLiteral("QRY_MES_COMBO"), {}, {}, {}});
    for (int row = 0; row < rows.size(); ++row)
        ui->cbMese->addItem(rows.string(row, QStringLiteral("SMESLDESC")).trimmed(),
                            static_cast<int>(rows.integer(row, QStringLiteral("IMESID"))));
    // The month of today while working on the current year, December otherwise.
    const QDate today = QDate::currentDate();
    const int month = m_lavoro.app.workingYear == today.year() ? today.month() : 12;
    ui->cbMese->setCurrentIndex(std::max(0, ui->cbMese->findData(month)));
}

void EliWizImport::mostraCodici()
{
    ui->edMatrAzienda->setText(m_codici.matricolaAzienda);
    ui->edMatrAcc->setText(m_codici.matricolaAccessori);
    ui->edCfInps->setText(m_codici.cfInps);
    ui->edCfMef->setText(m_codici.cfSoggettoDenuncia);
    ui->chNoInpdap->setChecked(m_codici.senzaInpdap);
    // Without the agent's row for the year there is nothing to edit.
    ui->gbInps->setEnabled(m_codici.presente);
    ui->gbExInpdap->setEnabled(m_codici.presente);
}

ParametriContributivi EliWizImport::codiciMostrati() const
{
    ParametriContributivi codici = m_codici;
    codici.matricolaAzienda = ui->edMatrAzienda->text().trimmed();
    codici.matricolaAccessori = ui->edMatrAcc->text().trimmed();
    codici.cfInps = ui->edCfInps->text().trimmed().toUpper();
    codici.cfSoggettoDenuncia = ui->edCfMef->text().trimmed().toUpper();
    codici.senzaInpdap = ui->chNoInpdap->isChecked();
    return codici;
}

void EliWizImport::accoppiaOpzioni()
{
    // "Solo dati INPS" and the fiscal data of the NoiPA liquidations exclude
    // each other; the NoiPA-declarant tick belongs to the NoiPA choice.
    connect(ui->chSoloInps, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            ui->chFiscaleNoipa->setChecked(false);
    });
    connect(ui->chFiscaleNoipa, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            ui->chSoloInps->setChecked(false);
    });
    connect(ui->rbNoipa, &QRadioButton::toggled, ui->chNoipaDich, &QCheckBox::setEnabled);
    ui->chNoipaDich->setEnabled(ui->rbNoipa->isChecked());
}

ImportParameters EliWizImport::parametri() const
{
    ImportParameters p;
    p.icalId = ui->cbCategoria->currentData().toInt();
    p.imesId = ui->cbMese->currentData().toInt();
    p.daInizio = true;
    p.includiInpdapMef = ui->rbNoipa->isChecked();
    p.fiscaleNoipa = ui->chFiscaleNoipa->isChecked();
    p.soloInps = ui->chSoloInps->isChecked();
    p.ancheSenzaConguaglio = ui->chSenzaConguaglio->isChecked();
    p.accontoAddCom = ui->chAccontoAddCom->isChecked();
    p.accontoAddComAnno = ui->rbAcconto->isChecked();
    p.sostituto = ui->chSostituto->isChecked();
    p.arretratiDetr = ui->rb511->isChecked();
    p.codFisAltriSos = ui->gbAltroSost->isVisible() ? ui->edAltroSost->text().trimmed().toUpper() : QString();
    p.calcIrpefDaInpsCococo = ui->chCococo->isVisible() && ui->chCococo->isChecked();
    p.icotFondamentale = 1; // "Compensi fondamentali": the compensation page is not shown
    return p;
}

void EliWizImport::accept()
{
    const ImportParameters p = parametri();
    const ParametriContributivi codici = codiciMostrati();
    try {
        verificaParametri(p, codici.cfSoggettoDenuncia);
        if (!(codici == m_codici))
            codici.salva(*m_lavoro.app.connection, *m_lavoro.app.catalogue);
        m_codici = codici;
        ParametriRecord::scrivi(p, m_record);
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
        return;
    }
    QWizard::accept();
}

} // namespace cu
