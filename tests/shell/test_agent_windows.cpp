// "Dati Sostituto", "Dati Altri Sostituti", "Quadro CT" and "Fornitore" on a
// demo installation, driven as the operator drives them: every refusal and
// question, the renaming of another agent's fiscal code in the certificates
// that use it, LSOSCT following the CT form, the supplier's check list with
// its question, the close refusal while editing; the development-mode
// hints; the windows opened from the main window's activities.
#include "EditorFixture.h"
#include "certificates/CertificateKey.h"
#include "certificates/agent/OtherAgentsEditing.h"
#include "certificates/editing/TableEditing.h"
#include "shell/common/HlmRicerca.h"
#include "shell/editors/Editori.h"
#include "shell/editors/ElfBase.h"
#include "shell/editors/EliAltriSost.h"
#include "shell/editors/EliFornitore.h"
#include "shell/editors/EliQuaCT.h"
#include "shell/editors/EliSost.h"
#include "shell/frame/EliMain.h"

#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

using namespace cu;
using namespace cu::test;
using namespace Qt::StringLiterals;

namespace {

using Values = QVector<std::pair<QString, QString>>;

// Presses a command of the window's detail frame.
void press(EliTabella& window, const QString& command)
{
    QAbstractButton* button = buttonNamed(window.frame(), command);
    QVERIFY2(button && button->isEnabled(), qPrintable(command));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types the values into the detail frame's fields.
void type(EliTabella& window, const Values& values)
{
    for (const auto& [column, text] : values)
        typeInto(window.frame()->form()->field(column), text);
}

// Presses a command and returns the text of the message box it opens,
// answered with the button.
QString answered(EliTabella& window, const QString& command, QMessageBox::StandardButton button)
{
    return answeredBox([&] { press(window, command); }, button);
}

QString agentColumn(LavoroCorrente& lavoro, const QString& column)
{
    Dataset rows;
    lavoro.app.store->open(rows, u"TCUS_DATISOST"_s);
    return rows.isEmpty() ? u"<none>"_s : rows.asString(column);
}

} // namespace

class TestAgentWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void activitiesOpenTheirWindows()
    {
        EditorFixture fixture(2);
        EliMain main(fixture.context().lavoro());
        EditingContext& context = registraEditori(main);
        bool confirmed = false;
        {
            const Watch watch = whenModal([&](QWidget* dialog) {
                QTest::keyClick(dialog, Qt::Key_Return);
                confirmed = true;
            });
            main.show();
            QTRY_VERIFY_WITH_TIMEOUT(confirmed, 20000);
        }
        // "Dati CU" has one window at a time.
        main.esegui(*EliAttivazioni::trova(u"Dati CU"_s));
        main.esegui(*EliAttivazioni::trova(u"Dati CU"_s));
        const auto windows = [&] {
            QStringList titles;
            for (QMdiSubWindow* sub : main.mdiArea()->subWindowList())
                titles << sub->widget()->windowTitle();
            return titles;
        };
        QCOMPARE(windows(), QStringList{u"Dati CU"_s});
        // A finding of the supplier opens its window at its field.
        CheckFinding finding = CheckFinding::in(u"TCFO_FORNITORE"_s);
        finding.column = u"STFOCODICE"_s;
        context.vaiA(finding);
        QCOMPARE(windows(), (QStringList{u"Dati CU"_s, u"Fornitore"_s}));
        auto* supplier = qobject_cast<EliFornitore*>(main.mdiArea()->activeSubWindow()->widget());
        QVERIFY(supplier);
        QTRY_COMPARE(supplier->focusWidget(), supplier->frame()->form()->field(u"STFOCODICE"_s)->line());
    }

    void developmentHints()
    {
        EditorFixture fixture(2);
        QDir().mkpath(fixture.folders().root() + u"/etc/eli"_s);
        writeFile(fixture.folders().root() + u"/etc/eli/dev"_s, {});
        EliSost agent(fixture.context());
        EliAltriSost others(fixture.context());
        EliQuaCT form(fixture.context());
        EliFornitore supplier(fixture.context());
        // The column's name as hint, copied by a click; none on the CT form.
        const struct
        {
            EliTabella* window;
            QString column;
            bool hinted;
        } cases[] = {{&agent, u"SSOSDENOM"_s, true},
                     {&others, u"SSOSCOMUNE"_s, true},
                     {&form, u"SCTEMAIL"_s, false},
                     {&supplier, u"SFORCODFIS"_s, true}};
        for (const auto& [window, column, hinted] : cases) {
            showActive(*window);
            QApplication::clipboard()->clear();
            QWidget* input = window->frame()->form()->field(column)->input();
            QCOMPARE(input->toolTip(), hinted ? column : QString());
            QTest::mouseClick(input, Qt::LeftButton);
            QCOMPARE(QApplication::clipboard()->text(), hinted ? column : QString());
        }
    }

    void agent()
    {
        EditorFixture fixture(2);
        EliSost window(fixture.context());
        showActive(window);
        // The one row: no second one, and it cannot be deleted.
        QVERIFY(!buttonNamed(window.frame(), u"Inserisci"_s)->isEnabled());
        QCOMPARE(answered(window, u"Cancella"_s, QMessageBox::Ok),
                 u"Presenza di un unico rigo per il sostituto, non è possibile cancellarlo!"_s);
        QCOMPARE(window.editing().rows().recordCount(), 1);
        // Not closed with a change pending; saved by "Salva".
        type(window, {{u"SSOSFIRMACOM"_s, u"LUIGI BIANCHI"_s}});
        QCOMPARE(closeRefusal(window), ChangesPending);
        press(window, u"Salva"_s);
        QCOMPARE(agentColumn(fixture.context().lavoro(), u"SSOSFIRMACOM"_s), u"LUIGI BIANCHI"_s);
        QVERIFY(window.close());
    }

    void otherAgents()
    {
        EditorFixture fixture(4);
        CertificateStore& certificates = fixture.context().certificates();
        EliAltriSost window(fixture.context());
        showActive(window);
        // Without a fiscal code, and with one another agent has: refused.
        press(window, u"Inserisci"_s);
        type(window, {{u"SSOSDENOM"_s, u"SCUOLA MEDIA DANTE"_s}});
        QCOMPARE(answered(window, u"Salva"_s, QMessageBox::Ok),
                 u"ATTENZIONE: E' necessario specificare il codice fiscale del sostituto."_s);
        QVERIFY(window.editing().isEditing());
        type(window, {{u"SSOSCODFIS"_s, u"80012345678"_s}});
        press(window, u"Salva"_s);
        press(window, u"Inserisci"_s);
        type(window, {{u"SSOSCODFIS"_s, u"80012345678"_s}});
        QCOMPARE(answered(window, u"Salva"_s, QMessageBox::Ok),
                 u"Esiste già un altro sostituto con codice fiscale 80012345678."_s);
        type(window, {{u"SSOSCODFIS"_s, u"80099999999"_s}});
        press(window, u"Salva"_s);
        QCOMPARE(window.editing().rows().recordCount(), 2);

        // Three certificates refer to the first agent.
        {
            Dataset list;
            certificates.openCertificates(list);
            for (int row = 0; row < 3; ++row) {
                list.setRecNo(row);
                list.edit();
                list.setValue(u"SCUDALTROSOSCODFIS", u"80012345678"_s);
                list.post();
                certificates.saveCertificate(list);
            }
        }
        const auto referring = [&](const QString& code) {
            return static_cast<OtherAgentsEditing&>(window.editing()).certificatesReferringTo(code);
        };
        QVERIFY(static_cast<OtherAgentsEditing&>(window.editing()).locate(u"80012345678"_s));
        QCOMPARE(answered(window, u"Cancella"_s, QMessageBox::Ok),
                 u"Impossibile cancellare il sostituto, risultano associati dei Dati Cud."_s);
        // Renaming it renames the three references.
        type(window, {{u"SSOSCODFIS"_s, u"80087654321"_s}});
        press(window, u"Salva"_s);
        QCOMPARE(referring(u"80087654321"_s), 3);
        QCOMPARE(referring(u"80012345678"_s), 0);
        // The certificates' lookup of another agent lists this table's agents.
        {
            const Watch watch = whenModal([](QWidget* modal) {
                QTest::keyClicks(qobject_cast<HlmRicerca*>(modal)->searchEdit(), u"8008"_s);
                click(modal, u"OK"_s);
            });
            const ColumnSchema* reference =
                certificates.table(certificate::Table).column(u"SCUDALTROSOSCODFIS");
            QCOMPARE(fixture.context().cerca(*reference, &window), std::optional(u"80087654321"_s));
        }
    }

    void ctForm_data()
    {
        QTest::addColumn<Values>("typed");
        QTest::addColumn<QString>("flag");
        QTest::newRow("mobile only") << Values{{u"SCTCELL"_s, u"3331234567"_s}} << u"1"_s;
        QTest::newRow("e-mail only") << Values{{u"SCTEMAIL"_s, u"segreteria@scuola.it"_s}} << u"1"_s;
        QTest::newRow("both cleared")
            << Values{{u"SCTCELL"_s, u"3331234567"_s}, {u"SCTCELL"_s, u"   "_s}, {u"SCTEMAIL"_s, QString()}}
            << u"0"_s;
    }
    void ctForm()
    {
        QFETCH(Values, typed);
        QFETCH(QString, flag);
        EditorFixture fixture(2);
        LavoroCorrente& lavoro = fixture.context().lavoro();
        EliQuaCT window(fixture.context());
        showActive(window);
        QVERIFY(!buttonNamed(window.frame(), u"Inserisci"_s)->isEnabled());
        type(window, typed);
        press(window, u"Salva"_s);
        QCOMPARE(agentColumn(lavoro, u"LSOSCT"_s), flag);
        // Deleting the form clears the flag; a new form may then be added.
        type(window, {{u"SCTCELL"_s, u"3470000000"_s}});
        press(window, u"Salva"_s);
        QCOMPARE(agentColumn(lavoro, u"LSOSCT"_s), u"1"_s);
        press(window, u"Cancella"_s);
        QCOMPARE(agentColumn(lavoro, u"LSOSCT"_s), u"0"_s);
        QVERIFY(buttonNamed(window.frame(), u"Inserisci"_s)->isEnabled());
    }

    void supplier()
    {
        EditorFixture fixture(2);
        LavoroCorrente& lavoro = fixture.context().lavoro();
        EliFornitore window(fixture.context());
        showActive(window);
        // Deleting asks; only Yes deletes.
        QCOMPARE(answered(window, u"Cancella"_s, QMessageBox::No),
                 u"Confermi la cancellazione del modello corrente ?"_s);
        QCOMPARE(storedRows(lavoro, u"TCFO_FORNITORE"_s).size(), 1);
        answered(window, u"Cancella"_s, QMessageBox::Yes);
        QVERIFY(storedRows(lavoro, u"TCFO_FORNITORE"_s).isEmpty());

        // A new supplier needs its fiscal code.
        press(window, u"Inserisci"_s);
        QCOMPARE(answered(window, u"Salva"_s, QMessageBox::Ok), u"Codice fiscale obbligatorio"_s);
        // Without its type the checks' list asks whether to go on.
        type(window, {{u"SFORCODFIS"_s, u"97184520589"_s}});
        for (const QString& answer : {u"No"_s, u"Si"_s}) {
            QString question;
            QString lines;
            {
                const Watch watch = whenModal([&](QWidget* modal) {
                    question = modal->findChild<QLabel*>(u"laDomanda"_s)->text();
                    lines = modal->findChild<QPlainTextEdit*>()->toPlainText();
                    click(modal, answer);
                });
                press(window, u"Salva"_s);
                QTRY_VERIFY(!question.isEmpty());
            }
            QCOMPARE(question, u"Si desidera proseguire?"_s);
            QVERIFY2(!lines.isEmpty(), "the checks' findings are listed");
            QCOMPARE(window.editing().isEditing(), answer == u"No");
            QCOMPARE(storedRows(lavoro, u"TCFO_FORNITORE"_s).size(), answer == u"No" ? 0 : 1);
        }
        // Not closed while editing.
        type(window, {{u"SFORCODFIS"_s, u"80012345678"_s}});
        QCOMPARE(closeRefusal(window), ChangesPending);
    }
};

QTEST_MAIN(TestAgentWindows)
#include "test_agent_windows.moc"
