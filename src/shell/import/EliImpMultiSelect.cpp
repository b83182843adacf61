// The selection window of the import.
#include "shell/import/EliImpMultiSelect.h"

#include "foundation/operator/Errors.h"
#include "import/archive/CatalogueArchive.h"
#include "import/run/ImportRun.h"
#include "import/run/ParametriRecord.h"
#include "shell/common/BusyCursor.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/MultiSelectList.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/import/EliCudTno.h"
#include "ui_EliImpMultiSelect.h"

#include <QLineEdit>
#include <QPushButton>

namespace cu {

namespace {

const QString Tutte = QStringLiteral("(Tutte)");

// The field type that holds a column of the list.
FieldType typeOf(const ArchiveRows& rows, const QString& column)
{
    for (int row = 0; row < rows.size(); ++row) {
        const QVariant value = rows.value(row, column);
        if (value.isNull())
            continue;
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return FieldType::Integer;
        default:
            return FieldType::String;
        }
    }
    return FieldType::String;
}

// The list of positions as a dataset, for the grid.
void riempi(Dataset& dataset, const ArchiveRows& rows)
{
    QVector<FieldDef> fields;
    for (const QString& column : rows.columns())
        fields.append({column, typeOf(rows, column), 255});
    dataset.setFields(fields);
    dataset.open();
    for (int row = 0; row < rows.size(); ++row) {
        dataset.append();
        for (const QString& column : rows.columns())
            dataset.setValue(column, rows.value(row, column));
        dataset.post();
    }
    dataset.mergeChangeLog();
}

// Shows the dialogs of the run above the window that runs it.
class OperatorParent
{
public:
    OperatorParent(DialogOperator& op, QWidget* parent) : m_op(op), m_previous(op.parent())
    {
        m_op.setParent(parent);
    }
    ~OperatorParent() { m_op.setParent(m_previous); }
    OperatorParent(const OperatorParent&) = delete;
    OperatorParent& operator=(const OperatorParent&) = delete;

private:
    DialogOperator& m_op;
    QWidget* m_previous;
};

} // namespace

void EliImpMultiSelect::Execute(QWidget* owner, LavoroCorrente& lavoro, const Dataset& cdsParametri, int siteId)
{
    const ImportParameters params = ParametriRecord::leggi(cdsParametri);
    ArchiveRows list;
    {
        BusyScope busy;
        list = listaPosizioni(lavoro.app, params, siteId);
    }
    if (list.isEmpty()) {
        lavoro.op.information(QStringLiteral("Nessuna dato da importare!"));
        return;
    }
    EliImpMultiSelect window(lavoro, params, list, siteId, owner);
    window.exec();
}

EliImpMultiSelect::EliImpMultiSelect(LavoroCorrente& lavoro, const ImportParameters& params,
                                     const ArchiveRows& list, int siteId, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::EliImpMultiSelect>()), m_lavoro(lavoro), m_params(params),
      m_siteId(siteId)
{
    ui->setupUi(this);
    riempi(m_lista, list);
    ui->lsDipendenti->setDataset(&m_lista,
                                 {{QStringLiteral("CODICE"), QStringLiteral("Codice"), 70},
                                  {QStringLiteral("SANACOGNOMENOME"), QStringLiteral("Dipendente"), 320},
                                  {QStringLiteral("MESE_INIZIALE"), QStringLiteral("Da mese"), 70,
                                   Qt::AlignRight | Qt::AlignVCenter},
                                  {QStringLiteral("MESE_FINALE"), QStringLiteral("A mese"), 70,
                                   Qt::AlignRight | Qt::AlignVCenter},
                                  {QStringLiteral("CONGUAGLIO"), QStringLiteral("Conguaglio"), 90, Qt::AlignCenter}},
                                 QStringLiteral("IACOMID"));
    ui->lsDipendenti->setSearchKeys(
        {{QStringLiteral("Dipendente"), {QStringLiteral("SANACOGNOMENOME")}},
         {QStringLiteral("Codice"), {QStringLiteral("CODICE")}},
         {QStringLiteral("Cat. e dipendente"), {QStringLiteral("ICALZEFIRCODE"), QStringLiteral("SANACOGNOMENOME")}},
         {QStringLiteral("P.g. e dipendente"), {QStringLiteral("ITNOZEFIRCODE"), QStringLiteral("SANACOGNOMENOME")}},
         {QStringLiteral("Qual. e dipendente"), {QStringLiteral("IQARZEFIRCODE"), QStringLiteral("SANACOGNOMENOME")}}});
    caricaFiltro(ui->cbFiltroCategoria, QStringLiteral("QRY_CAL_FILTRO"),
                 QStringLiteral("ICALZEFIRCODE"), QStringLiteral("SCALLDESC"));
    caricaFiltro(ui->cbFiltroPosGiur, QStringLiteral("QRY_TNO_FILTRO"),
                 QStringLiteral("ITNOZEFIRCODE"), QStringLiteral("STNOLDESC"));
    caricaFiltro(ui->cbFiltroQualifica, QStringLiteral("QRY_QAR_FILTRO"),
                 QStringLiteral("IQARZEFIRCODE"), QStringLiteral("SQARLDESC"));
    ui->lsDipendenti->grid()->setRowCondition([this](int row) { return mostrata(row); });
    for (QComboBox* box : {ui->cbFiltroCategoria, ui->cbFiltroPosGiur, ui->cbFiltroQualifica})
        connect(box, &QComboBox::currentIndexChanged, this, &EliImpMultiSelect::filtroCambiato);
    connect(ui->rbAlfabetico, &QRadioButton::toggled, this, &EliImpMultiSelect::ordina);
    ordina();
    ui->buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Importa"));
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &EliImpMultiSelect::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &EliImpMultiSelect::reject);
    ui->lsDipendenti->searchEdit()->setFocus();
    WindowGeometry::remember(this, QStringLiteral("EliImpMultiSelect"));
}

EliImpMultiSelect::~EliImpMultiSelect() = default;

MultiSelectList* EliImpMultiSelect::lista() const
{
    return ui->lsDipendenti;
}

void EliImpMultiSelect::caricaFiltro(QComboBox* box, const QString& query, const QString& code,
                                     const QString& description)
{
    CatalogueArchive archive(*m_lavoro.app.connection, *m_lavoro.app.catalogue);
    const ArchiveRows rows = archive.open({query, {}, {}, {}});
    box->addItem(Tutte);
    for (int row = 0; row < rows.size(); ++row)
        box->addItem(QStringLiteral("%1 - %2").arg(rows.string(row, code).trimmed(),
                                                  rows.string(row, description).trimmed()),
                     rows.string(row, code).trimmed());
}

bool EliImpMultiSelect::mostrata(int row) const
{
    const std::pair<QComboBox*, const char*> filters[] = {{ui->cbFiltroCategoria, "ICALZEFIRCODE"},
                                                          {ui->cbFiltroPosGiur, "ITNOZEFIRCODE"},
                                                          {ui->cbFiltroQualifica, "IQARZEFIRCODE"}};
    for (const auto& [box, column] : filters) {
        if (box->currentIndex() <= 0)
            continue;
        const int field = m_lista.requireField(QString::fromLatin1(column));
        if (m_lista.valueAt(row, field).toString().trimmed() != box->currentData().toString())
            return false;
    }
    return true;
}

void EliImpMultiSelect::filtroCambiato()
{
    // A new filter starts a new choice.
    ui->lsDipendenti->grid()->clearMarks();
    ui->lsDipendenti->grid()->refilter();
    ui->lsDipendenti->updateCount();
}

void EliImpMultiSelect::ordina()
{
    ui->lsDipendenti->grid()->sortByField(ui->rbAlfabetico->isChecked() ? QStringLiteral("SANACOGNOMENOME")
                                                                        : QStringLiteral("CODICE"));
}

ImportParameters EliImpMultiSelect::parametriScelti() const
{
    ImportParameters p = m_params;
    p.overwrite = ui->rbSovrascriviSempre->isChecked()  ? OverwritePolicy::Always
                  : ui->rbNonSovrascrivere->isChecked() ? OverwritePolicy::Never
                                                        : OverwritePolicy::Ask;
    p.forzaStampati = ui->chForzaStampati->isChecked();
    p.only = ui->lsDipendenti->chosenKeys();
    return p;
}

void EliImpMultiSelect::accept()
{
    const ImportParameters params = parametriScelti();
    if (params.only.isEmpty())
        return;
    OperatorParent dialogsAbove(m_lavoro.op, this);
    SceltaPosizioniDialogo scelta(this);
    ImportRunOptions options;
    options.siteId = m_siteId;
    options.choice = &scelta;
    try {
        BusyScope busy;
        runImport(m_lavoro.app, params, m_lavoro.op, options);
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
        return;
    }
    QDialog::accept();
}

} // namespace cu
