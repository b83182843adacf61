// The import from the windows on a demo installation, driven through the
// main window's "Import": the wizard's defaults and couplings, its refusal
// of the NoiPA choice without the reporting body's fiscal code, Cancel that
// writes nothing; a marked subset imported; the legal-position dialog of a
// person with two legal positions, whose cancel skips the person; the abort
// after the current person, after which the archive holds exactly the
// persons committed before it.
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/HlmUtil.h"
#include "import/run/ImportRun.h"
#include "import/archive/ParametriContributivi.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/ItalianLocale.h"
#include "shell/common/MultiSelectList.h"
#include "store/HlmDBCds.h"
#include "ImportAnswers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolBox>
#include <QToolButton>
#include <set>

using namespace cu;
using namespace cu::test;

namespace {

const QString NoipaRefusal = QStringLiteral(
    "Si è scelto di importare la sezione 2 INPS Gestione Pubblica dai compensi inviati ad \"Accessori Fuori "
    "sistema\".\r\n\r\nIl c.f. soggetto denuncia è obbligatorio");

std::set<QString> storedFiscalCodes(HlmDBCds& store)
{
    Dataset certificates;
    store.open(certificates, QStringLiteral("TCUD_DATICUD"));
    std::set<QString> codes;
    for (certificates.first(); !certificates.eof(); certificates.next())
        codes.insert(certificates.asString(u"SCUDCODFIS"));
    return codes;
}

// What the selection window lists, in the grid's order.
struct Listed
{
    QString code; // personnel code
    QString fiscalCode;
    QString name;
    QString position; // IACOMID
};

QVector<Listed> listed(EliImpMultiSelect* window)
{
    DatasetGrid* grid = window->lista()->grid();
    Dataset* rows = grid->dataset();
    QVector<Listed> result;
    for (int row : grid->visibleRows()) {
        const auto value = [&](const char* field) {
            return rows->valueAt(row, rows->requireField(QString::fromLatin1(field))).toString().trimmed();
        };
        result.append({value("CODICE"), value("SANACODFISCALE"), value("SANACOGNOMENOME"), value("IACOMID")});
    }
    return result;
}

// Ticks the rows of the personnel codes with the mouse.
void markCodes(EliImpMultiSelect* window, const QStringList& codes)
{
    DatasetGrid* grid = window->lista()->grid();
    const QVector<Listed> rows = listed(window);
    for (int row = 0; row < rows.size(); ++row) {
        if (!codes.contains(rows[row].code))
            continue;
        const QModelIndex index = grid->model()->index(row, 0);
        grid->scrollTo(index);
        const QRect cell = grid->visualRect(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 10, cell.center().y()));
    }
}

} // namespace

class TestImportWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void wizardDefaultsCouplingsAndCancel()
    {
        ShellFixture fixture(6);
        QStringList categories;
        int month = 0;
        bool agentTicked = false;
        QStringList couplings;
        ImportAnswers run;
        run.wizard = [&](EliWizImport* w) {
            auto* category = child<QComboBox>(w, "cbCategoria");
            categories = {category->itemText(0), category->itemText(category->count() - 1)};
            month = child<QComboBox>(w, "cbMese")->currentData().toInt();
            agentTicked = child<QCheckBox>(w, "chSostituto")->isChecked();
            auto* soloInps = child<QCheckBox>(w, "chSoloInps");
            auto* fiscaleNoipa = child<QCheckBox>(w, "chFiscaleNoipa");
            tick(soloInps);
            couplings << QStringLiteral("INPS %1 NoiPA %2").arg(soloInps->isChecked()).arg(fiscaleNoipa->isChecked());
            tick(fiscaleNoipa);
            couplings << QStringLiteral("INPS %1 NoiPA %2").arg(soloInps->isChecked()).arg(fiscaleNoipa->isChecked());
            tick(child<QRadioButton>(w, "rbUniemens"));
            couplings << QStringLiteral("dichiarante %1").arg(child<QCheckBox>(w, "chNoipaDich")->isEnabled());
            tick(child<QRadioButton>(w, "rbNoipa"));
            couplings << QStringLiteral("dichiarante %1").arg(child<QCheckBox>(w, "chNoipaDich")->isEnabled());
            click(w, QStringLiteral("Avanti >"));
            auto* reporting = child<QLineEdit>(w, "edCfMef");
            reporting->clear();
            QTest::keyClicks(reporting, QStringLiteral("00000000000"));
            click(w, QStringLiteral("Annulla"));
        };
        importThroughWindows(fixture.open(), run);
        QCOMPARE(categories, QStringList({"(Predefinite)", "7 - Solo autonomi"}));
        QCOMPARE(month, QDate::currentDate().year() == 2024 ? QDate::currentDate().month() : 12);
        QVERIFY(agentTicked); // the new installation has no withholding agent yet
        QCOMPARE(couplings, QStringList({"INPS 1 NoiPA 0", "INPS 0 NoiPA 1", "dichiarante 0", "dichiarante 1"}));
        QVERIFY(!run.selectionShown);
        QVERIFY(run.messages.isEmpty());
        AppContext& app = fixture.session().context();
        QCOMPARE(ParametriContributivi::leggi(*app.connection, *app.catalogue, 55, 1).cfSoggettoDenuncia,
                 QStringLiteral("80415740580"));
        QVERIFY(storedFiscalCodes(*app.store).empty());
    }

    void wizardRefusesNoipaWithoutReportingBody()
    {
        ShellFixture fixture(6);
        bool stayedOpen = false;
        ImportAnswers run;
        run.wizard = [&](EliWizImport* w) {
            click(w, QStringLiteral("Avanti >"));
            child<QLineEdit>(w, "edCfMef")->clear();
            click(w, QStringLiteral("Importa"));
            stayedOpen = w->isVisible();
            click(w, QStringLiteral("< Indietro"));
            tick(child<QRadioButton>(w, "rbUniemens"));
            click(w, QStringLiteral("Avanti >"));
            click(w, QStringLiteral("Importa"));
        };
        run.selection = [](EliImpMultiSelect* w) { click(w, QStringLiteral("Annulla")); };
        importThroughWindows(fixture.open(), run);
        QVERIFY(stayedOpen);
        QCOMPARE(run.messages, QStringList({NoipaRefusal}));
        QVERIFY(run.selectionShown);
        AppContext& app = fixture.session().context();
        // The codes were saved with "Importa"; nothing was imported.
        QCOMPARE(ParametriContributivi::leggi(*app.connection, *app.catalogue, 55, 1).cfSoggettoDenuncia, QString());
        QVERIFY(storedFiscalCodes(*app.store).empty());
    }

    void markedSubsetImported()
    {
        ShellFixture fixture(6);
        QString count;
        std::set<QString> marked;
        ImportAnswers run;
        run.selection = [&](EliImpMultiSelect* w) {
            markCodes(w, {QStringLiteral("1"), QStringLiteral("2")});
            count = w->lista()->countText();
            for (const Listed& row : listed(w))
                if (row.code == u"1" || row.code == u"2")
                    marked.insert(row.fiscalCode);
            click(w, QStringLiteral("Importa"));
        };
        importThroughWindows(fixture.open(), run);
        QCOMPARE(count, QStringLiteral("Prenotati: 2"));
        QCOMPARE(marked.size(), size_t(2));
        QCOMPARE(storedFiscalCodes(*fixture.session().context().store), marked);
        QVERIFY(run.messages.endsWith(QStringLiteral("Informazioni")) ||
                run.messages.endsWith(QStringLiteral("Fine operazione")));
    }

    void legalPositionsAskedAndCancelSkips()
    {
        ShellFixture fixture(26);
        QString caption;
        QString personName;
        QStringList headers;
        int rows = 0;
        ImportAnswers run;
        run.selection = [&](EliImpMultiSelect* w) {
            markCodes(w, {QStringLiteral("21"), QStringLiteral("2")});
            for (const Listed& row : listed(w))
                if (row.code == u"21")
                    personName = row.name;
            click(w, QStringLiteral("Importa"));
        };
        run.legalPositions = [&](EliCudTno* w) {
            caption = w->windowTitle();
            auto* grid = w->findChild<QTableWidget*>();
            rows = grid->rowCount();
            for (int column = 0; column < grid->columnCount(); ++column)
                headers.append(grid->horizontalHeaderItem(column)->text());
            click(w, QStringLiteral("Annulla"));
        };
        importThroughWindows(fixture.open(), run);
        QCOMPARE(caption, personName);
        QVERIFY(rows >= 2);
        QCOMPARE(headers, QStringList({"Cod.", "Posizione giuridica", "INPS", "Fiscali"}));
        // Person 2 is imported, person 21 skipped without a message of its own.
        QCOMPARE(storedFiscalCodes(*fixture.session().context().store).size(), size_t(1));
    }

    void abortStopsAfterTheCurrentPerson()
    {
        ShellFixture fixture(26);
        QVector<Listed> order;
        ImportAnswers run;
        run.selection = [&](EliImpMultiSelect* w) {
            order = listed(w);
            click(w, QStringLiteral("Importa"));
        };
        // Annulla in the progress window while person 21 is being imported.
        run.legalPositions = [](EliCudTno* w) {
            auto* progress = w->parentWidget()->findChild<QProgressDialog*>();
            QVERIFY(progress && progress->isVisible());
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            click(w, QStringLiteral("OK"));
        };
        importThroughWindows(fixture.open(), run);
        int stoppedAt = -1;
        for (int row = 0; row < order.size(); ++row)
            if (order[row].code == u"21")
                stoppedAt = row;
        QVERIFY(stoppedAt > 0 && stoppedAt + 1 < order.size());

        // The same persons imported through the core on an identical
        // installation, up to person 21 and no further.
        ShellFixture reference(26);
        LavoroCorrente& lavoro = reference.open();
        ImportParameters params;
        params.overwrite = OverwritePolicy::Always;
        for (int row = 0; row <= stoppedAt; ++row)
            params.only.append(order[row].position);
        ScriptedOperator quiet;
        ImportRunOptions options;
        options.siteId = 1;
        options.showClosing = false;
        cu::runImport(lavoro.app, params, quiet, options);
        const std::set<QString> expected = storedFiscalCodes(*lavoro.app.store);
        QVERIFY(expected.count(order[stoppedAt].fiscalCode) == 1);
        QCOMPARE(storedFiscalCodes(*fixture.session().context().store), expected);
    }
};

QTEST_MAIN(TestImportWindows)
#include "test_importwindows.moc"
