// The print windows driven as an operator does on a demo installation:
// each activity opens its window with its model and default file name, and
// the frontispiece and CT windows print their page; "Stampa modello" orders
// its list by the clicked column, switches between "Tutti" and
// "Selezionati" with the marks, prints the marked rows of either model into
// the file "modellocu print" writes for them or one file per recipient, and
// marks printed (red in the list) exactly the certificates in a saved file,
// also when the print is cancelled; the signature sheet of the marked or of
// all recipients; the print folder.
#include "OutputFixture.h"
#include "shell/common/ItalianLocale.h"
#include "shell/output/EliCartellaStampe.h"
#include "shell/output/EliPdf.h"
#include "shell/output/EliPdfPagina.h"
#include "shell/output/EliStampaFirme.h"
#include "shell/output/PannelloStampa.h"
#include "support/PrintingFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QRadioButton>

using namespace cu;
using namespace cu::test;

namespace {

// The certificates the store holds as printed, as "CF/MM".
QStringList printedKeys(OutputFixture& fixture)
{
    Dataset rows;
    fixture.table(QStringLiteral("TCUD_DATICUD"), rows);
    QStringList keys;
    for (int row = 0; row < rows.recordCount(); ++row)
        if (rows.valueAt(row, rows.requireField(u"ICUDSTATO")).toInt() > 0)
            keys.append(rows.valueAt(row, rows.requireField(u"SCUDCODFIS")).toString() + u'/' +
                        rows.valueAt(row, rows.requireField(u"SCUDMESE")).toString());
    keys.sort();
    return keys;
}

bool shownRed(DatasetGrid* grid, int row)
{
    return grid->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::red);
}

QString messagesOf(QDialog* window)
{
    return window->findChild<PannelloStampa*>()->messaggi()->toPlainText();
}

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
        // clang-format off
        QTest::newRow("synthetic") << "Stampa CU Sintetico" << "Stampa modello" << "CU-2025";
        QTest::newRow("ordinary") << "Stampa CU Ordinario" << "Stampa modello" << "CU_Ordinario-2025";
        QTest::newRow("frontispiece") << "Stampa Frontespizio" << "Stampa Sostituto" << "Frontespizio";
        QTest::newRow("CT") << "Stampa Quadro CT" << "Stampa Quadro CT" << "QuadroCT";
        // clang-format on
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
        if (qobject_cast<EliPdfPagina*>(window)) {
            Seen seen;
            {
                OutputScript script(seen);
                click(window, QStringLiteral("Crea stampa dichiarazione"));
            }
            QVERIFY2(seen.messages.isEmpty(), qPrintable(seen.messages.join(u'\n')));
            const QString saved = m_fixture->folders().stp() + fileName + QStringLiteral(".pdf");
            QCOMPARE(int(readPdf(saved).size()), 1);
            QVERIFY(messagesOf(window).contains(saved));
            QVERIFY(buttonNamed(window, QStringLiteral("Apri stampa dichiarazione"))->isEnabled());
        }
        click(window, QStringLiteral("Esci"));
        QTRY_VERIFY(!window->isVisible());
    }

    void listOrderFollowsTheClickedTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("order");
        // clang-format off
        QTest::newRow("Nome") << "Nome" << "SCUDNOME;SCUDCOGNOME;SCUDMESE";
        QTest::newRow("Mese") << "Mese" << "SCUDMESE;SCUDCOGNOME;SCUDNOME";
        QTest::newRow("Codice fiscale") << "Codice fiscale" << "SCUDCODFIS";
        QTest::newRow("Conguaglio") << "Conguaglio" << "SCUDCOGNOME;SCUDNOME;SCUDMESE";
        // clang-format on
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

    void printedAreExactlyTheSaved_data()
    {
        QTest::addColumn<int>("people");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QVector<int>>("marked"); // none: "Tutti"
        QTest::addColumn<bool>("perRecipient");
        QTest::addColumn<bool>("cancel");
        // clang-format off
        QTest::newRow("synthetic, marked") << 8 << "sintetico" << QVector<int>{0, 2} << false << false;
        QTest::newRow("ordinary, marked") << 8 << "ordinario" << QVector<int>{0, 2} << false << false;
        QTest::newRow("one file per recipient") << 8 << "sintetico" << QVector<int>{} << true << false;
        QTest::newRow("cancelled") << 26 << "ordinario" << QVector<int>{} << false << true;
        QTest::newRow("cancelled, one file per recipient") << 26 << "sintetico" << QVector<int>{} << true << true;
        // clang-format on
    }
    void printedAreExactlyTheSaved()
    {
        QFETCH(int, people);
        QFETCH(QString, model);
        QFETCH(QVector<int>, marked);
        QFETCH(bool, perRecipient);
        QFETCH(bool, cancel);
        OutputFixture fixture(people);
        fixture.ready();
        auto* window =
            fixture.runActivity<EliPdf>(model == u"ordinario" ? QStringLiteral("Stampa CU Ordinario")
                                                              : QStringLiteral("Stampa CU Sintetico"));
        DatasetGrid* list = window->lista();
        auto* selected = child<QRadioButton>(window, "rbSelezionati");
        mark(list, 4);
        QVERIFY(selected->isChecked());
        mark(list, 4);
        QVERIFY(child<QRadioButton>(window, "rbTutti")->isChecked());
        QStringList chosen;
        QSet<QString> recipients;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (!marked.isEmpty() && !marked.contains(row))
                continue;
            chosen.append(valueShown(list, "SCUDCODFIS", row) + u'/' + valueShown(list, "SCUDMESE", row));
            recipients.insert(valueShown(list, "SCUDCODFIS", row));
        }
        chosen.sort();
        for (int row : marked)
            mark(list, row);
        QCOMPARE(selected->isChecked(), !marked.isEmpty());
        tick(child<QCheckBox>(window, "chFronteRetro"));
        if (perRecipient)
            tick(child<QCheckBox>(window, "chPerPercipiente"));

        Seen seen;
        {
            OutputScript script(seen, QString(), cancel);
            click(window, QStringLiteral("Crea stampa dichiarazione"));
        }
        QVERIFY2(seen.messages.isEmpty(), qPrintable(seen.messages.join(u'\n')));
        QCOMPARE(messagesOf(window).contains(QStringLiteral("Stampa annullata")), cancel);
        const QStringList files =
            QDir(fixture.folders().stp()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        const QStringList printed = printedKeys(fixture);
        QSet<QString> printedRecipients;
        for (const QString& key : printed)
            printedRecipients.insert(key.section(u'/', 0, 0));
        QSet<QString> filedRecipients; // "cognome_nome_CF.pdf"
        for (const QString& file : files)
            filedRecipients.insert(file.section(u'_', -1).section(u'.', 0, 0));
        if (perRecipient)
            QCOMPARE(printedRecipients, filedRecipients);
        else
            QCOMPARE(files.isEmpty(), printed.isEmpty());
        for (int row = 0; row < list->model()->rowCount(); ++row)
            QCOMPARE(shownRed(list, row), printed.contains(valueShown(list, "SCUDCODFIS", row) + u'/' +
                                                           valueShown(list, "SCUDMESE", row)));
        if (cancel) {
            QVERIFY(printed.size() < chosen.size());
            return;
        }
        QCOMPARE(printed, chosen);
        const QString saved =
            fixture.folders().stp() + window->pannello()->nomeFile() + QStringLiteral(".pdf");
        QCOMPARE(window->pannello()->daAprire(), perRecipient ? fixture.folders().stp() : saved);
        QVERIFY(buttonNamed(window, QStringLiteral("Apri stampa dichiarazione"))->isEnabled());
        if (perRecipient) {
            QCOMPARE(filedRecipients, recipients);
            return;
        }
        QVERIFY(messagesOf(window).contains(QStringLiteral("File generato: ") + saved));
        QStringList codes(recipients.begin(), recipients.end());
        const Run run = fixture.modellocu({QStringLiteral("print"), model, QStringLiteral("--cf"),
                                           codes.join(u','), QStringLiteral("--fronte-retro"),
                                           QStringLiteral("--nome"), QStringLiteral("comando")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(int(readPdf(saved).size()) > 2);
        QCOMPARE(readPdf(saved).size(),
                 readPdf(fixture.folders().stp() + QStringLiteral("comando.pdf")).size());
        window->close();
    }

    void signatureSheetOfMarkedOrAll()
    {
        auto* window = m_fixture->runActivity<EliStampaFirme>(QStringLiteral("Firma ricevute"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Stampa nominativi CUD per firme"));
        DatasetGrid* list = window->lista();
        QStringList everyone;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            everyone.append(valueShown(list, "SCUDCODFIS", row));
        QCOMPARE(window->codiciScelti(), everyone);
        mark(list, 3);
        mark(list, 1);
        QCOMPARE(window->codiciScelti(), (QStringList{everyone[1], everyone[3]}));
        Seen seen;
        {
            OutputScript script(seen);
            click(window, QStringLiteral("Stampa"));
        }
        QVERIFY2(seen.messages.isEmpty(), qPrintable(seen.messages.join(u'\n')));
        QCOMPARE(window->fileSalvato(), m_fixture->folders().stp() + QStringLiteral("Firme.pdf"));
        QCOMPARE(int(readPdf(window->fileSalvato()).size()), 1);
        click(window, QStringLiteral("Esci"));
        QTRY_VERIFY(!window->isVisible());
    }

    void printFolderListsThePrints()
    {
        const Run run = m_fixture->modellocu({QStringLiteral("print"), QStringLiteral("firme")});
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
