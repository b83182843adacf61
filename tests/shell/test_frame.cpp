// The main window and the financial year on a demo installation: a first run
// without the local year table proposes 2024; 2023 and 2026 are refused with
// the message and nothing is stored; 2025 goes to the status bar and the
// shared store and is proposed again after a restart; "Parametri" opened
// from its activity and cancelled changes nothing. The navigation and the
// menus follow the activity catalogue (pages in order, hidden activities
// absent); an activity whose window is not registered says so; the import is
// refused while a document window is open; the Help menu opens the
// documents that are there (and "Informativa", built from the
// instructions), names the one that is missing, and shows the user guide;
// the first start after an update runs the update news once.
#include "shell/common/ItalianLocale.h"
#include "shell/frame/EliMain.h"
#include "shell/frame/EliParametri.h"
#include "shell/frame/GuidaUtente.h"
#include "startup/AnnoFinanziario.h"
#include "store/HlmDBCds.h"
#include "ShellFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBox>
#include <QToolButton>

using namespace cu;
using namespace cu::test;

namespace {

const QString YearMessage = QStringLiteral("L'anno finanziario deve essere compreso tra 2024 e 2025.");

QAction* menuAction(QMainWindow& window, const QString& caption)
{
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* action : menu->menu()->actions())
            if (plain(action->text()) == caption)
                return action;
    return nullptr;
}

// Types a year into the open year dialog and presses Enter; returns the
// message that refused it (empty when the dialog closed).
QString enterYear(QWidget* dialog, const QString& year)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edAnno"));
    edit->selectAll();
    QTest::keyClicks(edit, year);
    QString refused;
    const auto watch1 = whenModal(
        [&refused](QWidget* box) {
            refused = messageOf(box);
            click(box, QStringLiteral("OK"));
        },
        dialog);
    QTest::keyClick(edit, Qt::Key_Return);
    if (!dialog->isVisible())
        QApplication::processEvents(); // the refusal poll finds nothing and ends
    return refused;
}

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT

    std::unique_ptr<ShellFixture> m_fixture;
    LavoroCorrente* m_lavoro = nullptr;

    // Shows a main window and confirms the year it proposes.
    std::unique_ptr<EliMain> started()
    {
        auto window = std::make_unique<EliMain>(*m_lavoro);
        bool confirmed = false;
        const auto watch2 = whenModal([&](QWidget* dialog) {
            QTest::keyClick(dialog, Qt::Key_Return);
            confirmed = true;
        });
        window->show();
        [&] { QTRY_VERIFY_WITH_TIMEOUT(confirmed, 20000); }();
        return window;
    }

private slots:
    void initTestCase()
    {
        installItalian(*QCoreApplication::instance());
        m_fixture = std::make_unique<ShellFixture>(6);
        m_lavoro = &m_fixture->open();
    }

    void yearOfAFirstRunAndItsRefusals()
    {
        const QString table = Folders::resolve(m_fixture->folders().res(), QStringLiteral("TCUA_ANNOFIN.cds"));
        QFile::remove(table);
        QString shown;
        QStringList refusals;
        bool storedMeanwhile = false;
        bool done = false;
        const auto watch3 = whenModal([&](QWidget* dialog) {
            shown = dialog->findChild<QLineEdit*>(QStringLiteral("edAnno"))->text();
            for (const QString& year : {QStringLiteral("2023"), QStringLiteral("2026")}) {
                refusals.append(enterYear(dialog, year));
                storedMeanwhile |= QFile::exists(table) || !dialog->isVisible();
            }
            refusals.append(enterYear(dialog, QStringLiteral("2025")));
            done = true;
        });
        EliMain window(*m_lavoro);
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QCOMPARE(shown, QStringLiteral("2024"));
        QCOMPARE(refusals, QStringList({YearMessage, YearMessage, QString()}));
        QVERIFY(!storedMeanwhile);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("laStato"))->text(),
                 QStringLiteral("Anno finanziario: 2025    Provvedimento del 15/01/2025"));
        QCOMPARE(m_lavoro->app.store->year(), 2025);
        QCOMPARE(m_lavoro->app.store->month(), -1);
        QCOMPARE(AnnoFinanziario::proposto(m_fixture->folders()), QStringLiteral("2025"));
        QCOMPARE(window.navigazione()->currentIndex(), 0);
        window.close();

        // A restart proposes the year chosen; back to 2024 for what follows.
        QString proposed;
        done = false;
        const auto watch4 = whenModal([&](QWidget* dialog) {
            proposed = dialog->findChild<QLineEdit*>(QStringLiteral("edAnno"))->text();
            enterYear(dialog, QStringLiteral("2024"));
            done = true;
        });
        EliMain restarted(*m_lavoro);
        restarted.show();
        QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        QCOMPARE(proposed, QStringLiteral("2025"));
        QCOMPARE(m_lavoro->app.store->year(), 2024);
    }

    void navigationFollowsTheCatalogue()
    {
        auto window = started();
        QStringList pages;
        for (int page = 0; page < window->navigazione()->count(); ++page)
            pages.append(window->navigazione()->itemText(page));
        QCOMPARE(pages, QStringList({"Operazioni", "Stampe", "File telematico", "Strumenti"}));
        QStringList menus;
        for (QAction* menu : window->menuBar()->actions())
            menus.append(plain(menu->text()));
        QCOMPARE(menus, QStringList({"Operazioni", "Stampe", "File telematico", "Strumenti", "Finestre", "?"}));
        for (const char* hidden : {"Dati Altri Sostituti", "Inpdap da storico", "Inps da Emens"}) {
            QVERIFY2(!menuAction(*window, QString::fromUtf8(hidden)), hidden);
            QVERIFY2(!navigationButton(*window, QString::fromUtf8(hidden)), hidden);
        }
        QVERIFY(menuAction(*window, QStringLiteral("2025 Notizie sull'aggiornamento")));
        QVERIFY(menuAction(*window, QStringLiteral("Istruzioni CU 2025")));
    }

    // A window the program has not registered (here none is) says so
    // instead of failing.
    void unregisteredWindowSaysSo()
    {
        const QString caption = QStringLiteral("Dati CU");
        auto window = started();
        window->navigazione()->setCurrentIndex(0);
        QString seen;
        const auto watch5 = answerMessage(&seen, QStringLiteral("OK"));
        QTest::mouseClick(navigationButton(*window, caption), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("\"%1\" non è ancora disponibile in questa versione del programma.").arg(caption));
        QVERIFY(window->mdiArea()->subWindowList().isEmpty());
    }

    void importRefusedWithADocumentWindowOpen()
    {
        auto window = started();
        QMdiSubWindow* document = window->mdiArea()->addSubWindow(new QTextEdit);
        document->show();
        QString seen;
        const auto watch6 = answerMessage(&seen, QStringLiteral("OK"));
        QTest::mouseClick(navigationButton(*window, QStringLiteral("Import")), Qt::LeftButton);
        QCOMPARE(seen, QStringLiteral("Chiudere tutte le finestre prima di eseguire l'operazione."));
        QCOMPARE(window->mdiArea()->subWindowList().size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void helpDocuments_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::newRow("presente") << QStringLiteral("Istruzioni CU 2025") << QString();
        QTest::newRow("informativa dalle istruzioni") << QStringLiteral("Informativa") << QString();
        QTest::newRow("mancante") << QStringLiteral("Provvedimento approvazione")
                                  << QStringLiteral("Documento non trovato: %1Provvedimento.pdf");
        QTest::newRow("notizie mancanti") << QStringLiteral("2025 Notizie sull'aggiornamento")
                                          << QStringLiteral("Documento non trovato: %1News.pdf");
    }
    void helpDocuments()
    {
        QFETCH(QString, caption);
        QFETCH(QString, message);
        auto window = started();
        QString seen;
        const Watch watch = answerMessage(&seen, QStringLiteral("OK"));
        menuAction(*window, caption)->trigger();
        QTest::qWait(100);
        QCOMPARE(seen, message.isEmpty() ? QString() : message.arg(m_fixture->folders().res()));
    }

    // After an update ("Check.txt" in the resource folder) the first start
    // runs the update news once; the next start does not.
    void updateNewsOnceAfterAnUpdate()
    {
        const QString marker = m_fixture->folders().res() + QStringLiteral("Check.txt");
        QFile file(marker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // Confirms the year and records every message that follows it.
        const auto start = [this](QStringList& messages) {
            auto window = std::make_unique<EliMain>(*m_lavoro);
            ModalScript script([&messages](QWidget* modal) {
                if (modal->findChild<QLineEdit*>(QStringLiteral("edAnno"))) {
                    QTest::keyClick(modal, Qt::Key_Return);
                    return;
                }
                messages << messageOf(modal);
                click(modal, QStringLiteral("OK"));
            });
            window->show();
            QTest::qWait(500);
        };
        QStringList first;
        start(first);
        QCOMPARE(first, QStringList{QStringLiteral("Documento non trovato: %1News.pdf").arg(m_fixture->folders().res())});
        QVERIFY(!QFileInfo::exists(marker));
        QStringList second;
        start(second);
        QCOMPARE(second, QStringList());
    }

    void yearFromItsActivityCancelled()
    {
        auto window = started();
        window->navigazione()->setCurrentIndex(3);
        QString shown;
        const auto watch = whenModal([&](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edAnno"));
            shown = edit->text();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("2025"));
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QTest::mouseClick(navigationButton(*window, QStringLiteral("Parametri")), Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("2024"));
        QCOMPARE(m_lavoro->app.store->year(), 2024);
        QCOMPARE(AnnoFinanziario::proposto(m_fixture->folders()), QStringLiteral("2024"));
        QVERIFY(window->statusText().startsWith(QStringLiteral("Anno finanziario: 2024    ")));
    }

    void userGuide()
    {
        auto window = started();
        QAction* guideAction = menuAction(*window, QStringLiteral("Guida di Modello CU"));
        QCOMPARE(guideAction->shortcut(), QKeySequence(QKeySequence::HelpContents));
        guideAction->trigger();
        auto* guide = window->findChild<GuidaUtente*>();
        QVERIFY(guide);
        QVERIFY(guide->isVisible());
        QVERIFY(guide->browser()->toPlainText().contains(QStringLiteral("Modello CU")));
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
