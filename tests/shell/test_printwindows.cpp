// The print windows driven as an operator does on a demo installation:
// each activity opens its window with its model and default file name;
// "Stampa modello" switches between "Tutti" and "Selezionati" with the
// marks, orders its list by the clicked column, prints the marked rows of
// either model into the file "modellocu print" writes for them, marks them
// printed (red in the list) and prints one file per recipient; a cancelled
// print leaves no file and no mark, and a cancelled print of one file per
// recipient leaves exactly the recipients whose files were saved marked; the
// frontispiece, the CT form and the signature sheet of the marked or of all
// recipients; the print folder.
#include "OutputFixture.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/ItalianLocale.h"
#include "shell/output/EliCartellaStampe.h"
#include "shell/output/EliPdf.h"
#include "shell/output/EliPdfPagina.h"
#include "shell/output/EliStampaFirme.h"
#include "shell/output/PannelloStampa.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

using namespace cu;
using namespace cu::test;

namespace {

void mark(DatasetGrid* grid, int row)
{
    grid->setCurrentIndex(grid->model()->index(row, 0));
    QTest::keyClick(grid, Qt::Key_Space);
}

void clickTitle(DatasetGrid* grid, const QString& caption)
{
    QHeaderView* header = grid->horizontalHeader();
    for (int section = 0; section < header->count(); ++section)
        if (grid->model()->headerData(section, Qt::Horizontal).toString() == caption) {
            const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            return;
        }
    qFatal("no column %s", qPrintable(caption));
}

void tick(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

template <typename T> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s in %s", name, qPrintable(window->windowTitle()));
    return found;
}

// "CF/MM" of a dataset row, as the windows mark it.
QString keyOf(const Dataset& rows, int row)
{
    return rows.valueAt(row, rows.requireField(u"SCUDCODFIS")).toString() + u'/' +
           rows.valueAt(row, rows.requireField(u"SCUDMESE")).toString();
}

// The certificates the store holds as printed.
QStringList printedKeys(OutputFixture& fixture)
{
    Dataset rows;
    fixture.table(QStringLiteral("TCUD_DATICUD"), rows);
    QStringList keys;
    for (int row = 0; row < rows.recordCount(); ++row)
        if (rows.valueAt(row, rows.requireField(u"ICUDSTATO")).toInt() > 0)
            keys.append(keyOf(rows, row));
    keys.sort();
    return keys;
}

bool shownRed(DatasetGrid* grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::red);
}

// Answers every message box with OK (keeping their texts) and, when asked,
// cancels the progress dialog as soon as it shows.
class PrintScript
{
public:
    explicit PrintScript(QStringList& messages, bool cancelProgress = false)
        : m_script([&messages, cancelProgress](QWidget* window) {
              if (auto* box = qobject_cast<QMessageBox*>(window)) {
                  messages.append(box->text());
                  click(box, QStringLiteral("OK"));
              } else if (auto* progress = qobject_cast<QProgressDialog*>(window);
                         progress && cancelProgress) {
                  QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
              }
          })
    {
    }

private:
    ModalScript m_script;
};

} // namespace

class TestPrintWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installItalian(*QCoreApplication::instance());
        m_fixture = std::make_unique<OutputFixture>(8);
        m_fixture->ready();
    }

    void activitiesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("synthetic") << "Stampa CU Sintetico"
                                   << "Stampa modello"
                                   << "CU-2025";
        QTest::newRow("ordinary") << "Stampa CU Ordinario"
                                  << "Stampa modello"
                                  << "CU_Ordinario-2025";
        QTest::newRow("frontispiece") << "Stampa Frontespizio"
                                      << "Stampa Sostituto"
                                      << "Frontespizio";
        QTest::newRow("CT") << "Stampa Quadro CT"
                            << "Stampa Quadro CT"
                            << "QuadroCT";
    }
    void activitiesOpenTheirWindows()
    {
        QFETCH(QString, activity);
        QFETCH(QString, title);
        QFETCH(QString, fileName);
        auto* window = m_fixture->runActivity<QDialog>(activity);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(window->isModal());
        QCOMPARE(window->findChild<PannelloStampa*>()->nomeFile(), fileName);
        QVERIFY(!buttonNamed(window, QStringLiteral("Apri stampa dichiarazione"))->isEnabled());
        if (auto* print = qobject_cast<EliPdf*>(window))
            QCOMPARE(print->ordinario(), fileName == u"CU_Ordinario-2025");
        click(window, QStringLiteral("Esci"));
        QTRY_VERIFY(!window->isVisible());
    }

    void listOrderFollowsTheClickedTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("order");
        QTest::newRow("Nome") << "Nome"
                              << "SCUDNOME;SCUDCOGNOME;SCUDMESE";
        QTest::newRow("Mese") << "Mese"
                              << "SCUDMESE;SCUDCOGNOME;SCUDNOME";
        QTest::newRow("Codice fiscale") << "Codice fiscale"
                                        << "SCUDCODFIS";
        QTest::newRow("Conguaglio") << "Conguaglio"
                                    << "SCUDCOGNOME;SCUDNOME;SCUDMESE";
    }
    void listOrderFollowsTheClickedTitle()
    {
        QFETCH(QString, title);
        QFETCH(QString, order);
        auto* window = m_fixture->runActivity<EliPdf>(QStringLiteral("Stampa CU Sintetico"));
        clickTitle(window->lista(), QStringLiteral("Codice fiscale"));
        clickTitle(window->lista(), title);
        QCOMPARE(window->lista()->dataset()->indexFieldNames(), order);
        window->close();
    }

    void markedRowsPrintedAndMarked_data()
    {
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("model");
        QTest::newRow("synthetic") << "Stampa CU Sintetico"
                                   << "sintetico";
        QTest::newRow("ordinary") << "Stampa CU Ordinario"
                                  << "ordinario";
    }
    void markedRowsPrintedAndMarked()
    {
        QFETCH(QString, activity);
        QFETCH(QString, model);
        OutputFixture fixture(8);
        fixture.ready();
        auto* window = fixture.runActivity<EliPdf>(activity);
        DatasetGrid* list = window->lista();
        auto* all = child<QRadioButton>(window, "rbTutti");
        auto* selected = child<QRadioButton>(window, "rbSelezionati");
        mark(list, 4);
        QVERIFY(selected->isChecked());
        mark(list, 4);
        QVERIFY(all->isChecked());
        mark(list, 0);
        mark(list, 2);
        QVERIFY(selected->isChecked());
        const Dataset& rows = *list->dataset();
        QStringList expected{keyOf(rows, list->datasetRow(0)), keyOf(rows, list->datasetRow(2))};
        expected.sort();
        tick(child<QCheckBox>(window, "chFronteRetro"));

        QStringList messages;
        {
            PrintScript script(messages);
            click(window, QStringLiteral("Crea stampa dichiarazione"));
        }
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        const QString saved =
            fixture.folders().stp() + window->pannello()->nomeFile() + QStringLiteral(".pdf");
        QVERIFY(window->pannello()->messaggi()->toPlainText().contains(QStringLiteral("File generato: ") +
                                                                       saved));
        QCOMPARE(printedKeys(fixture), expected);
        QVERIFY(shownRed(list, 0) && shownRed(list, 2) && !shownRed(list, 1));
        QVERIFY(buttonNamed(window, QStringLiteral("Apri stampa dichiarazione"))->isEnabled());
        QCOMPARE(window->pannello()->daAprire(), saved);

        QStringList codes;
        for (const QString& key : expected)
            codes.append(key.section(u'/', 0, 0));
        const CommandRun run = fixture.modellocu({QStringLiteral("print"), model, QStringLiteral("--cf"),
                                                  codes.join(u','), QStringLiteral("--fronte-retro"),
                                                  QStringLiteral("--nome"), QStringLiteral("comando")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const int pages = pdfPages(saved);
        QVERIFY(pages > 2);
        QCOMPARE(pages, pdfPages(fixture.folders().stp() + QStringLiteral("comando.pdf")));
        window->close();
    }

    void onePdfPerRecipient()
    {
        OutputFixture fixture(8);
        fixture.ready();
        auto* window = fixture.runActivity<EliPdf>(QStringLiteral("Stampa CU Sintetico"));
        tick(child<QCheckBox>(window, "chPerPercipiente"));
        QStringList messages;
        {
            PrintScript script(messages);
            click(window, QStringLiteral("Crea stampa dichiarazione"));
        }
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        const Dataset& rows = *window->lista()->dataset();
        QSet<QString> recipients;
        QStringList all;
        for (int row = 0; row < rows.recordCount(); ++row) {
            recipients.insert(rows.valueAt(row, rows.requireField(u"SCUDCODFIS")).toString());
            all.append(keyOf(rows, row));
        }
        all.sort();
        const QStringList files =
            QDir(fixture.folders().stp()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        QCOMPARE(files.size(), recipients.size());
        for (const QString& code : recipients)
            QCOMPARE(files.filter(code).size(), 1);
        QCOMPARE(printedKeys(fixture), all);
        QCOMPARE(window->pannello()->daAprire(), fixture.folders().stp());
        window->close();
    }

    void cancelledPrintLeavesNoFileAndNoMark()
    {
        OutputFixture fixture(26);
        fixture.ready();
        auto* window = fixture.runActivity<EliPdf>(QStringLiteral("Stampa CU Ordinario"));
        QStringList messages;
        {
            PrintScript script(messages, true);
            click(window, QStringLiteral("Crea stampa dichiarazione"));
        }
        QVERIFY(window->pannello()->messaggi()->toPlainText().contains(QStringLiteral("Stampa annullata")));
        QVERIFY(QDir(fixture.folders().stp()).entryList({QStringLiteral("*.pdf")}, QDir::Files).isEmpty());
        QVERIFY(printedKeys(fixture).isEmpty());
        for (int row = 0; row < window->lista()->model()->rowCount(); ++row)
            QVERIFY(!shownRed(window->lista(), row));
        QVERIFY(!buttonNamed(window, QStringLiteral("Apri stampa dichiarazione"))->isEnabled());
        window->close();
    }

    void agentPages_data()
    {
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("frontispiece") << "Stampa Frontespizio"
                                      << "Frontespizio";
        QTest::newRow("CT") << "Stampa Quadro CT"
                            << "QuadroCT";
    }
    void agentPages()
    {
        QFETCH(QString, activity);
        QFETCH(QString, fileName);
        auto* window = m_fixture->runActivity<EliPdfPagina>(activity);
        QStringList messages;
        {
            PrintScript script(messages);
            click(window, QStringLiteral("Crea stampa dichiarazione"));
        }
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        const QString saved = m_fixture->folders().stp() + fileName + QStringLiteral(".pdf");
        QCOMPARE(pdfPages(saved), 1);
        QVERIFY(buttonNamed(window, QStringLiteral("Apri stampa dichiarazione"))->isEnabled());
        QVERIFY(window->pannello()->messaggi()->toPlainText().contains(saved));
        window->close();
    }

    void perRecipientCancelKeepsFilesAndMarksTogether()
    {
        OutputFixture fixture(26);
        fixture.ready();
        auto* window = fixture.runActivity<EliPdf>(QStringLiteral("Stampa CU Sintetico"));
        tick(child<QCheckBox>(window, "chPerPercipiente"));
        QStringList messages;
        {
            PrintScript script(messages, true);
            click(window, QStringLiteral("Crea stampa dichiarazione"));
        }
        QVERIFY(window->pannello()->messaggi()->toPlainText().contains(QStringLiteral("Stampa annullata")));
        QSet<QString> printed;
        for (const QString& key : printedKeys(fixture))
            printed.insert(key.section(u'/', 0, 0));
        QSet<QString> filed;
        const QStringList files =
            QDir(fixture.folders().stp()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QString& file : files)
            filed.insert(file.section(u'_', -1).section(u'.', 0, 0));
        QCOMPARE(printed, filed);
        QVERIFY(files.size() < 20);
        window->close();
    }

    void signatureSheetOfMarkedOrAll()
    {
        auto* window = m_fixture->runActivity<EliStampaFirme>(QStringLiteral("Firma ricevute"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Stampa nominativi CUD per firme"));
        DatasetGrid* list = window->lista();
        const Dataset& rows = *list->dataset();
        QStringList everyone;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            everyone.append(rows.valueAt(list->datasetRow(row), rows.requireField(u"SCUDCODFIS")).toString());
        QCOMPARE(window->codiciScelti(), everyone);
        mark(list, 3);
        mark(list, 1);
        QCOMPARE(window->codiciScelti(), (QStringList{everyone[1], everyone[3]}));
        QStringList messages;
        {
            PrintScript script(messages);
            click(window, QStringLiteral("Stampa"));
        }
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
        QCOMPARE(window->fileSalvato(), m_fixture->folders().stp() + QStringLiteral("Firme.pdf"));
        QCOMPARE(pdfPages(window->fileSalvato()), 1);
        click(window, QStringLiteral("Esci"));
        QTRY_VERIFY(!window->isVisible());
    }

    void printFolderListsThePrints()
    {
        const CommandRun run = m_fixture->modellocu({QStringLiteral("print"), QStringLiteral("firme")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        auto* window = m_fixture->runActivity<EliCartellaStampe>(QStringLiteral("Cartella stampe"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Informazioni per il contribuente"));
        QVERIFY(!window->elenco()->findItems(QStringLiteral("Firme.pdf"), Qt::MatchExactly).isEmpty());
        click(window, QStringLiteral("Esci"));
        QTRY_VERIFY(!window->isVisible());
    }

private:
    std::unique_ptr<OutputFixture> m_fixture;
};

QTEST_MAIN(TestPrintWindows)
#include "test_printwindows.moc"
