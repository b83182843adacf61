// The certificate print window.
#include "shell/output/EliPdf.h"

#include "shell/common/BusyCursor.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/output/DialogParent.h"
#include "shell/output/PannelloStampa.h"
#include "ui_EliPdf.h"

#include <QHeaderView>
#include <QSet>

namespace cu {

namespace {

const QString ChiaveCertificato = QStringLiteral("SCUDCODFIS;SCUDMESE");

// A flag shown as a tick: "X" when set, nothing when empty or "0".
QString spunta(const QVariant& value)
{
    const QString text = value.toString().trimmed();
    return text.isEmpty() || text == u"0" ? QString() : QStringLiteral("X");
}

QVector<GridColumn> colonne()
{
    const Qt::Alignment centred = Qt::AlignCenter;
    return {
        {QStringLiteral("SCUDCOGNOME"), QStringLiteral("Cognome"), 170},
        {QStringLiteral("SCUDNOME"), QStringLiteral("Nome"), 140},
        {QStringLiteral("SCUDCODFIS"), QStringLiteral("Codice fiscale"), 190},
        {QStringLiteral("SCUDMESE"), QStringLiteral("Mese"), 50, centred},
        {QStringLiteral("LCUDCONGUAGLIO"), QStringLiteral("Conguaglio"), 80, centred, spunta},
        {QStringLiteral("LCUDCOMPRENSIVO"), QStringLiteral("Comprensivo"), 90, centred, spunta},
    };
}

} // namespace

EliPdf::EliPdf(LavoroCorrente& lavoro, bool ordinario, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliPdf>()), m_lavoro(lavoro),
      m_dialogParent(std::make_unique<DialogParent>(lavoro.op, this)), m_ordinario(ordinario),
      m_tables(*lavoro.app.store, lavoro.app.workingYear),
      m_print(lavoro.app.folders, m_tables, lavoro.op, lavoro.app.workingYear)
{
    ui->setupUi(this);
    ui->laModello->setText(ordinario
                               ? QStringLiteral("<b>Certificazione Unica 2025 - modello ordinario</b>")
                               : QStringLiteral("<b>Certificazione Unica 2025 - modello sintetico</b>"));
    {
        const BusyScope busy;
        m_tables.open(m_lista, QStringLiteral("TCUD_DATICUD"));
        m_lista.setIndexFieldNames(CertificatePrint::listOrder(QString()));
        m_lista.first();
    }
    ui->grdCud->setDataset(&m_lista, colonne());
    ui->grdCud->setMarkable(ChiaveCertificato);
    const int stato = m_lista.requireField(u"ICUDSTATO");
    ui->grdCud->setRowColour([this, stato](int row) {
        return m_lista.valueAt(row, stato).toInt() > 0 ? QColor(Qt::red) : QColor();
    });
    ui->grdCud->showOrderOn(QStringLiteral("SCUDCOGNOME"));
    connect(ui->grdCud->horizontalHeader(), &QHeaderView::sectionClicked, this, &EliPdf::ordinaPer);
    connect(ui->grdCud, &DatasetGrid::marksChanged, this, &EliPdf::marcheCambiate);

    ui->pnStampa->prepara(lavoro.app.folders, lavoro.op, CertificatePrint::defaultOutputName(ordinario));
    connect(ui->pnStampa, &PannelloStampa::creaRichiesta, this, &EliPdf::stampa);
    connect(ui->pnStampa, &PannelloStampa::esciRichiesta, this, &QDialog::reject);
    m_print.message = [this](const QString& text) { ui->pnStampa->aggiungiMessaggio(text); };
    resize(820, 640);
    WindowGeometry::remember(this, QStringLiteral("EliPdf"));
}

EliPdf::~EliPdf() = default;

DatasetGrid* EliPdf::lista() const
{
    return ui->grdCud;
}

PannelloStampa* EliPdf::pannello() const
{
    return ui->pnStampa;
}

void EliPdf::ordinaPer(int column)
{
    const QString field = ui->grdCud->fieldOfColumn(column);
    m_lista.setIndexFieldNames(CertificatePrint::listOrder(field));
    ui->grdCud->showOrderOn(field);
}

void EliPdf::marcheCambiate()
{
    if (ui->grdCud->markedKeys().isEmpty())
        ui->rbTutti->setChecked(true);
    else
        ui->rbSelezionati->setChecked(true);
}

// The marked certificates as positions in the list's order.
QVector<int> EliPdf::righeMarcate() const
{
    const QStringList keys = ui->grdCud->markedKeys();
    const QSet<QString> marked(keys.begin(), keys.end());
    const int codice = m_lista.requireField(u"SCUDCODFIS");
    const int mese = m_lista.requireField(u"SCUDMESE");
    QVector<int> rows;
    for (int row = 0; row < m_lista.recordCount(); ++row)
        if (marked.contains(m_lista.valueAt(row, codice).toString() + u'/' +
                            m_lista.valueAt(row, mese).toString()))
            rows.append(row);
    return rows;
}

CertificatePrintOptions EliPdf::opzioni() const
{
    CertificatePrintOptions options;
    options.ordinary = m_ordinario;
    options.duplex = ui->chFronteRetro->isChecked();
    options.signatureOmitted = ui->chFirmaOmessa->isChecked();
    options.all = ui->rbTutti->isChecked();
    if (!options.all)
        options.selectedRows = righeMarcate();
    options.outputName = ui->pnStampa->nomeFile();
    return options;
}

void EliPdf::stampa()
{
    const CertificatePrintOptions options = opzioni();
    QStringList files;
    try {
        const BusyScope busy;
        if (ui->chPerPercipiente->isChecked())
            files = m_print.printPerRecipient(m_lista, options);
        else
            files = {m_print.print(m_lista, options)};
    } catch (const EAbort&) {
        ui->pnStampa->aggiungiMessaggio(QStringLiteral("Stampa annullata: nessun file salvato per le "
                                                       "certificazioni non ancora stampate."));
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
    ui->pnStampa->stampaSalvata(files);
}

} // namespace cu
