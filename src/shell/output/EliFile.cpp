// The file wizard.
#include "shell/output/EliFile.h"

#include "foundation/installation/Folders.h"
#include "shell/common/BusyCursor.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/OpenDocument.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/output/DialogParent.h"
#include "shell/output/EliFileViewer.h"
#include "telematic/records/CompanyRegistration.h"
#include "ui_EliFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>

namespace cu {

namespace {

constexpr int PaginaDipendenti = 0;
constexpr int PaginaCreaFile = 1;

const QVector<GridColumn>& colonne()
{
    static const QVector<GridColumn> columns = {
        {QStringLiteral("SCUDCODFIS"), QStringLiteral("Codice fiscale"), 190},
        {QStringLiteral("SCUDCOGNOME"), QStringLiteral("Cognome"), 180},
        {QStringLiteral("SCUDNOME"), QStringLiteral("Nome"), 150},
        {QStringLiteral("DCUDDATANAS"), QStringLiteral("Data di nascita"), 100},
    };
    return columns;
}

} // namespace

EliFile::EliFile(LavoroCorrente& lavoro, QWidget* parent)
    : QWizard(parent), ui(std::make_unique<Ui::EliFile>()), m_lavoro(lavoro),
      m_dialogParent(std::make_unique<DialogParent>(lavoro.op, this)),
      m_ordine(TelematicData::orderColumns().first())
{
    ui->setupUi(this);
    setButtonText(QWizard::BackButton, QStringLiteral("< &Indietro"));
    setButtonText(QWizard::NextButton, QStringLiteral("&Avanti >"));
    setButtonText(QWizard::CancelButton, QStringLiteral("Annulla"));
    setButtonText(QWizard::CustomButton1, QStringLiteral("&Salva"));
    setButtonLayout({QWizard::Stretch, QWizard::BackButton, QWizard::NextButton, QWizard::CustomButton1,
                     QWizard::CancelButton});
    button(QWizard::CustomButton1)->setEnabled(false);

    connect(ui->rbTutti, &QRadioButton::toggled, this, &EliFile::sceltaCambiata);
    connect(ui->rbPrenotazione, &QRadioButton::toggled, this, &EliFile::sceltaCambiata);
    connect(ui->grdDip->horizontalHeader(), &QHeaderView::sectionClicked, this, &EliFile::ordinaPer);
    connect(ui->buCreaFile, &QPushButton::clicked, this, &EliFile::creaFile);
    connect(this, &QWizard::customButtonClicked, this, [this](int which) {
        if (which == QWizard::CustomButton1)
            salva();
    });
    connect(this, &QWizard::currentIdChanged, this, &EliFile::paginaCambiata);
    connect(ui->buApriCartella, &QPushButton::clicked, this, &EliFile::apriCartella);
    connect(ui->buMostraFile, &QPushButton::clicked, this, &EliFile::mostraFile);

    carica();
    resize(720, 560);
    WindowGeometry::remember(this, QStringLiteral("EliFile"));
}

EliFile::~EliFile() = default;

DatasetGrid* EliFile::lista() const
{
    return ui->grdDip;
}

QString EliFile::log() const
{
    return ui->meLog->toPlainText();
}

TelematicOptions EliFile::scelta() const
{
    TelematicOptions options;
    options.order = m_ordine;
    if (ui->rbNessuno->isChecked())
        options.choice = TelematicOptions::Choice::None;
    else if (ui->rbPrenotazione->isChecked()) {
        options.choice = TelematicOptions::Choice::Selected;
        options.selected = ui->grdDip->markedKeys();
    }
    return options;
}

// Opening, and going back to "Dipendenti": the tables afresh, in the order
// the operator chose; the marks stay (they are kept by certificate).
void EliFile::carica()
{
    const BusyScope busy;
    AppContext& app = m_lavoro.app;
    const JobLock lock = bloccaAnno();
    m_production = std::make_unique<TelematicProduction>(app.folders, m_lavoro.op, app.store);
    m_production->setCompanyRegistration(companyRegistrationLookup(app));
    m_production->setLogSink([this](const QString& line) { aggiungiLog(line); });
    m_production->loadSnapshot(*app.connection);
    m_production->data().orderCertificates(m_ordine);
    mostraLista();
}

// Loading, creating and saving hold the year as the command line's file
// production does: none of them runs while an import or a print of the same
// year runs, here or on another computer.
JobLock EliFile::bloccaAnno() const
{
    return JobLock(*m_lavoro.app.connection, m_lavoro.app.workingYear, JobLock::Job::TelematicFile);
}

void EliFile::mostraLista()
{
    const QStringList marked = ui->grdDip->dataset() ? ui->grdDip->markedKeys() : QStringList();
    ui->grdDip->setDataset(&m_production->data().dip(), colonne());
    ui->grdDip->setMarkable(QStringLiteral("SCUDCODFIS;SCUDMESE"));
    ui->grdDip->setMarkedKeys(marked);
    connect(ui->grdDip, &DatasetGrid::marksChanged, this, &EliFile::aggiornaPrenotati, Qt::UniqueConnection);
    ui->grdDip->showOrderOn(m_ordine);
    aggiornaPrenotati();
}

void EliFile::sceltaCambiata()
{
    const bool prenotazione = ui->rbPrenotazione->isChecked();
    if (prenotazione && !m_production->canChooseCertificates()) {
        ui->rbTutti->setChecked(true);
        return;
    }
    ui->grdDip->setEnabled(prenotazione);
    aggiornaPrenotati();
}

void EliFile::ordinaPer(int column)
{
    try {
        m_production->data().orderCertificates(ui->grdDip->fieldOfColumn(column));
        m_ordine = ui->grdDip->fieldOfColumn(column).toUpper();
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
    ui->grdDip->showOrderOn(m_ordine);
}

void EliFile::aggiornaPrenotati()
{
    ui->laPrenotati->setText(ui->rbPrenotazione->isChecked()
                                 ? QStringLiteral("Prenotati: %1").arg(ui->grdDip->markedKeys().size())
                                 : QString());
}

void EliFile::paginaCambiata(int id)
{
    if (id == PaginaCreaFile)
        m_production->clearCreation();
    else if (id == PaginaDipendenti && m_paginaPrecedente == PaginaCreaFile)
        carica();
    m_paginaPrecedente = id;
    button(QWizard::CustomButton1)->setEnabled(id == PaginaCreaFile && m_production->creationSucceeded());
}

void EliFile::abilitaPulsanti(bool enabled)
{
    for (QWizard::WizardButton which : {QWizard::BackButton, QWizard::CancelButton, QWizard::CustomButton1})
        button(which)->setEnabled(enabled);
    ui->buCreaFile->setEnabled(enabled);
}

void EliFile::creaFile()
{
    const BusyScope busy;
    QVector<int> positions;
    try {
        positions = m_production->choose(scelta());
        if (!m_production->checkCertificates(positions)) {
            reject();
            return;
        }
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
        return;
    }
    abilitaPulsanti(false);
    try {
        const JobLock lock = bloccaAnno();
        m_production->createFieldList(positions);
    } catch (const EAbort&) {
        // Told and logged by the production.
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
    abilitaPulsanti(true);
    button(QWizard::CustomButton1)->setEnabled(m_production->creationSucceeded());
}

QString EliFile::chiediNomeFile()
{
    const QString proposed = TelematicProduction::defaultFileName(m_lavoro.app.folders);
    QDir().mkpath(QFileInfo(proposed).absolutePath());
    const ArrowScope arrow;
    QFileDialog dialog(this, QStringLiteral("Salva file telematico"), QFileInfo(proposed).absolutePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("File telematico (CUR*)"), QStringLiteral("Tutti i file (*)")});
    dialog.selectFile(QFileInfo(proposed).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void EliFile::salva()
{
    try {
        m_production->requireCreation();
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
        return;
    }
    const QString chosen = chiediNomeFile();
    if (chosen.isEmpty()) {
        reject();
        return;
    }
    try {
        const BusyScope busy;
        const JobLock lock = bloccaAnno();
        m_fileScritti = m_production->save(chosen);
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
        return;
    }
    for (const QString& file : m_fileScritti)
        aggiungiLog(QStringLiteral("File salvato: ") + QDir::toNativeSeparators(file));
    aggiungiLog(QStringLiteral("Il file si può aprire nella sua cartella o mostrare campo per campo."));
    ui->buApriCartella->setEnabled(true);
    ui->buMostraFile->setEnabled(true);
    setButtonText(QWizard::CancelButton, QStringLiteral("Chiudi"));
}

void EliFile::aggiungiLog(const QString& line)
{
    ui->meLog->appendPlainText(line);
}

void EliFile::apriCartella()
{
    const QString folder = QFileInfo(m_fileScritti.value(0)).absolutePath();
    if (!apriDocumento(folder))
        m_lavoro.op.warning(QStringLiteral("Impossibile aprire la cartella %1.").arg(folder));
}

void EliFile::mostraFile()
{
    try {
        EliFileViewer viewer(m_lavoro.app.folders, m_fileScritti, this);
        viewer.exec();
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
}

} // namespace cu
