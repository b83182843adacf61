// The file wizard (both pages, with a log), the file viewer, "Stampa
// modello" after a print of marked rows, the frontispiece, CT and
// signature-sheet windows and the print folder.
#include "OutputScreens.h"

#include "foundation/dataset/Dataset.h"
#include "shell/common/DatasetGrid.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/output/EliCartellaStampe.h"
#include "shell/output/EliFile.h"
#include "shell/output/EliFileViewer.h"
#include "shell/output/EliPdf.h"
#include "shell/output/EliPdfPagina.h"
#include "shell/output/EliStampaFirme.h"
#include "store/HlmDBCds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

namespace cu {

namespace {

// The agent's signing representative, as the operator completes it in
// "Dati Sostituto" before the supply.
void completeAgent(HlmDBCds& store)
{
    Dataset agent;
    store.open(agent, QStringLiteral("TCUS_DATISOST"));
    if (agent.isEmpty())
        qFatal("no withholding agent after the import");
    agent.first();
    agent.edit();
    agent.setValue(u"SSOSCFRAPPR", QStringLiteral("RSSMRA70A01H501S"));
    agent.setValue(u"SCARCODICE", QStringLiteral("1"));
    agent.setValue(u"SSOSCOGNRAPPR", QStringLiteral("ROSSI"));
    agent.setValue(u"SSOSNOMERAPPR", QStringLiteral("MARIO"));
    agent.setValue(u"SSOSFIRMACOM", QStringLiteral("MARIO ROSSI"));
    agent.post();
    store.save(agent, QStringLiteral("TCUS_DATISOST"));
}

void mark(DatasetGrid* grid, const QVector<int>& rows)
{
    for (int row : rows)
        grid->setMarked(row, true);
    grid->setCurrentIndex(grid->model()->index(rows.last(), 1));
}

// The save dialog of the wizard answered with the proposed name.
void answerSaveDialog(QTimer& poll)
{
    QObject::connect(&poll, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            static_cast<QDialog*>(dialog)->accept();
    });
    poll.start(5);
}

void fileScreens(LavoroCorrente& lavoro, const std::function<void(QWidget*, const QString&)>& save)
{
    EliFile wizard(lavoro);
    wizard.findChild<QRadioButton*>(QStringLiteral("rbPrenotazione"))->setChecked(true);
    QHeaderView* header = wizard.lista()->horizontalHeader();
    emit header->sectionClicked(1); // "Cognome"
    mark(wizard.lista(), {1, 4, 5});
    save(&wizard, QStringLiteral("file-dipendenti"));

    wizard.findChild<QRadioButton*>(QStringLiteral("rbTutti"))->setChecked(true);
    wizard.next();
    wizard.creaFile();
    QTimer poll;
    answerSaveDialog(poll);
    wizard.salva();
    poll.stop();
    if (wizard.fileScritti().isEmpty())
        qFatal("the wizard saved no file");
    save(&wizard, QStringLiteral("file-crea"));

    EliFileViewer viewer(lavoro.app.folders, wizard.fileScritti());
    QTreeWidget* tree = viewer.albero();
    QTreeWidgetItem* firstD = tree->topLevelItem(3);
    firstD->setExpanded(true);
    tree->setCurrentItem(firstD->child(6));
    save(&viewer, QStringLiteral("file-contenuto"));
}

void printScreens(LavoroCorrente& lavoro, const std::function<void(QWidget*, const QString&)>& save)
{
    EliPdf print(lavoro, false);
    mark(print.lista(), {0, 2, 3});
    print.stampa();
    mark(print.lista(), {6});
    save(&print, QStringLiteral("finestra-stampa-modello"));

    EliPdfSost frontispiece(lavoro);
    frontispiece.stampa();
    save(&frontispiece, QStringLiteral("finestra-stampa-sostituto"));
    EliPdfQuadroCT ct(lavoro);
    save(&ct, QStringLiteral("finestra-stampa-quadro-ct"));

    EliStampaFirme signatures(lavoro);
    mark(signatures.lista(), {0, 1, 2, 7});
    save(&signatures, QStringLiteral("finestra-stampa-firme"));

    EliCartellaStampe folder(lavoro);
    save(&folder, QStringLiteral("cartella-stampe"));
}

} // namespace

void outputScreens(LavoroCorrente& lavoro, const std::function<void(QWidget*, const QString&)>& save)
{
    completeAgent(*lavoro.app.store);
    fileScreens(lavoro, save);
    printScreens(lavoro, save);
}

} // namespace cu
