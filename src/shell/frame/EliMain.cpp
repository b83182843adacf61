// The main window.
#include "shell/frame/EliMain.h"

#include "printing/EliStampePDF.h"
#include "printing/PrintTables.h"
#include "shell/common/DialogOperator.h"
#include "shell/common/OpenDocument.h"
#include "shell/common/WindowGeometry.h"
#include "shell/frame/EliParametri.h"
#include "shell/frame/GuidaUtente.h"
#include "shell/import/ImportDriver.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace cu {

namespace {

const QString Caption = QStringLiteral("CU 2025");
const char* const ActivityProperty = "attivazione";
// The update news; the first start after an update opens them (see notizieDopoAggiornamento).
const QString NewsDocument = QStringLiteral("News.pdf");

// The caption with a keyboard mnemonic on its first letter.
QString withMnemonic(const QString& caption)
{
    return caption.contains(u'&') ? caption : u'&' + caption;
}

} // namespace

EliMain::EliMain(LavoroCorrente& lavoro, QWidget* parent)
    : QMainWindow(parent), m_lavoro(lavoro), m_mdi(new QMdiArea(this)), m_navigation(new QToolBox(this)),
      m_status(new QLabel(this))
{
    setWindowTitle(Caption);
    setObjectName(QStringLiteral("EliMain"));
    resize(1100, 720);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(m_mdi);
    m_status->setObjectName(QStringLiteral("laStato"));
    statusBar()->addWidget(m_status, 1);
    costruisciNavigazione();
    costruisciMenu();
    aggiornaStato();
    WindowGeometry::remember(this, QStringLiteral("EliMain"));
}

EliMain::~EliMain() = default;

void EliMain::registraFinestra(const QString& target, Fabbrica fabbrica)
{
    m_fabbriche.insert(target, std::move(fabbrica));
}

QString EliMain::captionShown(const Attivazione& a)
{
    if (a.target == NewsDocument)
        return QStringLiteral("2025 ") + a.caption;
    if (a.target == u"CU_2025_istruz.pdf")
        return QStringLiteral("Istruzioni ") + Caption;
    return a.caption;
}

void EliMain::costruisciNavigazione()
{
    auto* dock = new QDockWidget(QStringLiteral("Attività"), this);
    dock->setObjectName(QStringLiteral("dockNavigazione"));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_navigation->setObjectName(QStringLiteral("tbNavigazione"));
    for (const Pagina& pagina : EliAttivazioni::pagine()) {
        auto* page = new QWidget(m_navigation);
        auto* layout = new QVBoxLayout(page);
        for (const Attivazione& a : EliAttivazioni::diPagina(pagina.caption)) {
            auto* button = new QToolButton(page);
            button->setText(captionShown(a));
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            button->setAutoRaise(true);
            button->setEnabled(!a.disabled);
            connect(button, &QToolButton::clicked, this, [this, a] { esegui(a); });
            layout->addWidget(button);
        }
        layout->addStretch();
        m_navigation->addItem(page, pagina.caption);
    }
    m_navigation->setMinimumWidth(m_navigation->fontMetrics().horizontalAdvance(QStringLiteral("File telematico")) * 2);
    dock->setWidget(m_navigation);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
}

void EliMain::costruisciMenu()
{
    for (const Pagina& pagina : EliAttivazioni::pagine()) {
        QMenu* menu = menuBar()->addMenu(withMnemonic(pagina.caption));
        for (const Attivazione& a : EliAttivazioni::diPagina(pagina.caption)) {
            QAction* action = menu->addAction(withMnemonic(captionShown(a)));
            action->setEnabled(!a.disabled);
            connect(action, &QAction::triggered, this, [this, a] { esegui(a); });
        }
    }
    QMenu* windows = menuBar()->addMenu(QStringLiteral("F&inestre"));
    windows->addAction(QStringLiteral("&Affianca"), m_mdi, &QMdiArea::tileSubWindows);
    windows->addAction(QStringLiteral("&Sovrapponi"), m_mdi, &QMdiArea::cascadeSubWindows);
    windows->addAction(QStringLiteral("&Chiudi tutte"), m_mdi, &QMdiArea::closeAllSubWindows);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    QAction* guide = help->addAction(QStringLiteral("&Guida di Modello CU"), this, &EliMain::apriGuida);
    guide->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    for (const Attivazione& a : EliAttivazioni::documentiGuida())
        connect(help->addAction(withMnemonic(captionShown(a))), &QAction::triggered, this,
                [this, a] { esegui(a); });
}

void EliMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, &EliMain::primaAttivazione);
    }
}

void EliMain::primaAttivazione()
{
    m_navigation->setCurrentIndex(0);
    apriParametri();
    notizieDopoAggiornamento();
}

// An update leaves "Check.txt" in the resource folder: the first start after
// it shows the update news, which remove the marker once they have run.
void EliMain::notizieDopoAggiornamento()
{
    if (!QFileInfo::exists(marcatoreAggiornamento()))
        return;
    for (const Attivazione& a : EliAttivazioni::documentiGuida())
        if (a.target == NewsDocument)
            esegui(a);
}

QString EliMain::marcatoreAggiornamento() const
{
    return Folders::resolve(m_lavoro.app.folders.res(), QStringLiteral("Check.txt"));
}

void EliMain::closeEvent(QCloseEvent* event)
{
    // A window that refuses to close (unsaved changes) keeps the program open.
    m_mdi->closeAllSubWindows();
    const QList<QMdiSubWindow*> open = m_mdi->subWindowList();
    if (std::any_of(open.cbegin(), open.cend(), [](const QMdiSubWindow* sub) { return sub->isVisible(); })) {
        event->ignore();
        return;
    }
    if (m_guida)
        m_guida->close();
    QMainWindow::closeEvent(event);
}

QString EliMain::statusText() const
{
    return QStringLiteral("Anno finanziario: ") + m_lavoro.annoFinanziario +
           QStringLiteral("    Provvedimento del 15/01/2025");
}

void EliMain::aggiornaStato()
{
    m_status->setText(statusText());
}

void EliMain::esegui(const Attivazione& a)
{
    try {
        switch (a.tipo) {
        case Attivazione::Tipo::Azione:
            if (a.target == u"import" && a.argomento == 0) {
                ImportDriver(m_lavoro, m_catalogo, m_mdi, this).esegui();
                return;
            }
            apriFinestra(a);
            return;
        case Attivazione::Tipo::Documento:
            apriDocumento(a);
            if (a.target == NewsDocument)
                QFile::remove(marcatoreAggiornamento());
            return;
        case Attivazione::Tipo::Finestra:
        case Attivazione::Tipo::FinestraModale:
            if (a.target == u"EliParametri")
                apriParametri();
            else
                apriFinestra(a);
            return;
        }
    } catch (const std::exception& e) {
        m_lavoro.op.report(e);
    }
}

void EliMain::apriParametri()
{
    try {
        EliParametri dialog(m_lavoro, this);
        dialog.exec();
    } catch (const std::exception& e) {
        // A damaged year table: said, and the year stays as it was.
        m_lavoro.op.report(e);
    }
    aggiornaStato();
}

void EliMain::apriFinestra(const Attivazione& a)
{
    const auto fabbrica = m_fabbriche.constFind(a.target);
    if (fabbrica == m_fabbriche.constEnd()) {
        m_lavoro.op.information(
            QStringLiteral("\"%1\" non è ancora disponibile in questa versione del programma.").arg(a.caption));
        return;
    }
    if (a.unaIstanza) {
        for (QMdiSubWindow* sub : m_mdi->subWindowList())
            if (sub->property(ActivityProperty).toString() == a.caption) {
                m_mdi->setActiveSubWindow(sub);
                return;
            }
    }
    QWidget* window = (*fabbrica)(a, m_lavoro);
    if (a.tipo == Attivazione::Tipo::FinestraModale) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        return;
    }
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setProperty(ActivityProperty, a.caption);
    window->show();
}

QString EliMain::percorsoDocumento(const Attivazione& a)
{
    const Folders& folders = m_lavoro.app.folders;
    if (a.target == u"informativa.pdf") {
        // Built from pages 10 to 17 of the instructions just before it opens.
        const QString instructions = Folders::resolve(folders.res(), QStringLiteral("CU_2025_istruz.pdf"));
        if (!QFileInfo::exists(instructions))
            return instructions;
        StorePrintTables tables(*m_lavoro.app.store, m_lavoro.app.workingYear);
        EliStampePDF print(folders, tables, m_lavoro.app.workingYear);
        return print.ExtractInformativa(10, 17);
    }
    return Folders::resolve(folders.res(), a.target);
}

void EliMain::apriDocumento(const Attivazione& a)
{
    const QString path = percorsoDocumento(a);
    if (!QFileInfo::exists(path)) {
        m_lavoro.op.warning(QStringLiteral("Documento non trovato: %1").arg(QFileInfo(path).absoluteFilePath()));
        return;
    }
    if (!cu::apriDocumento(path))
        m_lavoro.op.warning(QStringLiteral("Impossibile aprire il documento %1.").arg(path));
}

void EliMain::apriGuida()
{
    if (!m_guida)
        m_guida = new GuidaUtente(this);
    m_guida->show();
    m_guida->raise();
    m_guida->activateWindow();
}

} // namespace cu
