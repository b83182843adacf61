// "Dati CU" on a demo installation, driven as the operator drives it: the
// pages generated from the schema, the list ordered by a click on a title,
// amounts and flags as the fields show and write them, the insertion
// through "Conguaglio/Chiusura" and its refusals, the refusal to leave a
// changed certificate, the printed lock and its release, the deletion
// questions, a section frame's position, insert and delete, the family
// month counts, a lookup chosen with F8, "Aggiungi Nota", the marks of
// wrong typed texts, and a finding of the checks opened at its field.
#include "EditorFixture.h"
#include "certificates/CertificateKey.h"
#include "certificates/editing/Insertion.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/HlmRicerca.h"
#include "shell/editors/CertificatePages.h"
#include "shell/editors/ElfBase.h"
#include "shell/editors/EliControlli.h"
#include "shell/editors/EliCud.h"
#include "shell/editors/EliCudIns.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

using namespace cu;
using namespace cu::test;
using namespace Qt::StringLiterals;

namespace {

const QString Cud = certificate::Table;

void press(EliCud& window, const QString& command)
{
    QPushButton* button = window.command(command);
    QVERIFY2(button, qPrintable(command));
    QVERIFY2(button->isEnabled(), qPrintable(command + u" disabled"_s));
    QTest::mouseClick(button, Qt::LeftButton);
}

QString stored(LavoroCorrente& lavoro, const QString& fiscalCode, const QString& month, const QString& column)
{
    Dataset rows;
    lavoro.app.store->open(rows, certificate::Table);
    for (rows.first(); !rows.eof(); rows.next())
        if (rows.asString(u"SCUDCODFIS") == fiscalCode && rows.asString(u"SCUDMESE") == month)
        {
            const int field = rows.requireField(column);
            if (rows.fields()[field].type == FieldType::Currency)
                return rows.asCurrency(column).toString(3);
            return rows.value(field).toString();
        }
    return u"<none>"_s;
}

int storedCount(LavoroCorrente& lavoro, const QString& table, qint64 person)
{
    Dataset rows;
    lavoro.app.store->open(rows, table);
    int count = 0;
    for (rows.first(); !rows.eof(); rows.next())
        count += rows.asInteger(u"iAfiID") == person ? 1 : 0;
    return count;
}

} // namespace

class TestCertificateWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void pagesListAndFormats()
    {
        EditorFixture fixture;
        EliCud window(fixture.context());
        showActive(window);
        // The pages as the page table names them, after the list.
        QCOMPARE(window.pages()->tabText(0), u"Elenco"_s);
        for (int i = 0; i < pagineCertificato().size(); ++i)
            QCOMPARE(window.pages()->tabText(i + 1), pagineCertificato()[i].caption);
        // Every column of the certificate row is on a page.
        for (const ColumnSchema& column : window.editing().table().columns)
            QVERIFY2(window.field(Cud, column.name), qPrintable(column.name));
        QCOMPARE(window.field(Cud, u"fCudReddDetr"_s)->label()->text(), u"1  Redditi lav. dip. tempo indeterminato"_s);
        QCOMPARE(window.field(Cud, u"LCUDANNULLAMENTO"_s)->label()->text(), u"Annullamento"_s);

        // A click on a title orders the list.
        Dataset& list = window.editing().list();
        clickTitle(window.list(), u"Codice fiscale"_s);
        QCOMPARE(list.indexFieldNames(), u"SCUDCODFIS"_s);
        clickTitle(window.list(), u"Mese"_s);
        QCOMPARE(list.indexFieldNames(), u"SCUDMESE;SCUDCOGNOME;SCUDNOME"_s);
        clickTitle(window.list(), u"Nome"_s);
        QCOMPARE(list.indexFieldNames(), u"SCUDNOME;SCUDCOGNOME;SCUDMESE"_s);
        clickTitle(window.list(), u"Cognome"_s);
        QCOMPARE(list.indexFieldNames(), u"SCUDCOGNOME;SCUDNOME;SCUDMESE"_s);
        QCOMPARE(window.position()->text(), u"1 di %1"_s.arg(list.recordCount()));

        // Amounts: "#,##0.00" shown, "#.00" while typing, zero blank,
        // FCUDQUOTA2122 with three decimals; flags with their set values.
        window.pages()->setCurrentIndex(2);
        ColumnField* amount = window.field(Cud, u"fCudReddDetr"_s);
        typeInto(amount, u"12345,5"_s);
        amount->line()->clearFocus();
        QCOMPARE(amount->line()->text(), u"12.345,50"_s);
        amount->line()->setFocus();
        QCOMPARE(amount->line()->text(), u"12345,50"_s);
        typeInto(window.field(Cud, u"FCUDREDDPENS"_s), u"0"_s);
        QCOMPARE(window.field(Cud, u"FCUDREDDPENS"_s)->line()->text(), QString());
        window.pages()->setCurrentIndex(1);
        typeInto(window.field(Cud, u"FCUDQUOTA2122"_s), u"0,5"_s);
        window.field(Cud, u"FCUDQUOTA2122"_s)->line()->clearFocus();
        QCOMPARE(window.field(Cud, u"FCUDQUOTA2122"_s)->line()->text(), u"0,500"_s);
        typeInto(window.field(Cud, u"LCUDANNULLAMENTO"_s), u"1"_s);
        typeInto(window.field(Cud, u"LCUDFRONTAL"_s), u"1"_s);
        press(window, u"Salva"_s);
        const QString code = list.asString(u"SCUDCODFIS");
        const QString month = list.asString(u"SCUDMESE");
        QCOMPARE(stored(fixture.context().lavoro(), code, month, u"fCudReddDetr"_s), u"12345.500"_s);
        QCOMPARE(stored(fixture.context().lavoro(), code, month, u"FCUDQUOTA2122"_s), u"0.500"_s);
        QCOMPARE(stored(fixture.context().lavoro(), code, month, u"LCUDANNULLAMENTO"_s), u"1"_s);
        QCOMPARE(stored(fixture.context().lavoro(), code, month, u"LCUDFRONTAL"_s), u"X"_s);
    }

    void insertion()
    {
        EditorFixture fixture;
        LavoroCorrente& lavoro = fixture.context().lavoro();
        EliCud window(fixture.context());
        showActive(window);
        QStringList seen;
        {
            ModalScript script([&](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    seen << box->text();
                    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                    return;
                }
                auto* dialog = qobject_cast<EliCudIns*>(modal);
                const auto answer = [&] {
                    QVERIFY(dialog);
                    QCOMPARE(dialog->windowTitle(), u"Conguaglio/Chiusura"_s);
                    // "Conguaglio" before a month is refused and left unticked,
                    // also with the row the list makes current on focus.
                    dialog->months()->setCurrentRow(0, QItemSelectionModel::NoUpdate);
                    dialog->adjustment()->click();
                    QVERIFY(!dialog->adjustment()->isChecked());
                    dialog->months()->setCurrentRow(11);
                    dialog->adjustment()->click();
                    click(dialog, u"OK"_s);
                };
                answer();
                if (dialog && dialog->isVisible())
                    dialog->reject(); // a failed check does not leave the test waiting
            });
            press(window, u"Inserisci"_s);
            QTRY_VERIFY(window.editing().isEditing());
            QCOMPARE(seen, QStringList{u"Mese di chiusura obbligatorio!!!"_s});
            Dataset& list = window.editing().list();
            QCOMPARE(list.asString(u"SCUDMESE"), u"12"_s);
            QCOMPARE(list.asString(u"LCUDCONGUAGLIO"), u"X"_s);
            QCOMPARE(list.asString(u"LCUDCOMPRENSIVO"), u"X"_s);
            QCOMPARE(list.asString(u"LCUDANNULLAMENTO"), u"0"_s);
            QCOMPARE(window.position()->text(), u"Ins."_s);
            QCOMPARE(window.pages()->currentIndex(), 1);

            // Without the fiscal code the save is refused and the row stays.
            press(window, u"Salva"_s);
            QTRY_COMPARE(seen.size(), 2);
            QCOMPARE(seen.last(), u"Codice fiscale obbligatorio"_s);
            QVERIFY(window.editing().isEditing());
        }
        typeInto(window.field(Cud, u"SCUDCODFIS"_s), u"RSSMRA85T10A562S"_s);
        typeInto(window.field(Cud, u"SCUDCOGNOME"_s), u"ROSSI"_s);
        typeInto(window.field(Cud, u"SCUDNOME"_s), u"MARIO"_s);
        press(window, u"Salva"_s);
        QVERIFY(!window.editing().isEditing());
        QCOMPARE(stored(lavoro, u"RSSMRA85T10A562S"_s, u"12"_s, u"LCUDCONGUAGLIO"_s), u"X"_s);
        QCOMPARE(stored(lavoro, u"RSSMRA85T10A562S"_s, u"12"_s, u"SCUDCOGNOME"_s), u"ROSSI"_s);
    }

    void changedCertificateIsNotLeft()
    {
        EditorFixture fixture;
        EliCud window(fixture.context());
        showActive(window);
        window.pages()->setCurrentIndex(1);
        typeInto(window.field(Cud, u"SCUDCOMNAS"_s), u"FIRENZE"_s);
        const QString pending = u"Salvare prima di cambiare modello."_s;
        QToolButton* next = window.findChild<QToolButton*>(u"buSuccessivo"_s);
        QCOMPARE(answeredBox([&] { QTest::mouseClick(next, Qt::LeftButton); }), pending);
        QCOMPARE(window.editing().list().recNo(), 0);
        // Nor is the list shown while the change is pending.
        QCOMPARE(answeredBox([&] { window.pages()->setCurrentIndex(0); }), pending);
        QCOMPARE(window.pages()->currentIndex(), 1);
        press(window, u"Annulla"_s);
        QCOMPARE(window.field(Cud, u"SCUDCOMNAS"_s)->line()->text(),
                 window.editing().list().asString(u"SCUDCOMNAS"));
        QVERIFY(window.field(Cud, u"SCUDCOMNAS"_s)->line()->text() != u"FIRENZE"_s);
        // The window does not close with a change pending.
        typeInto(window.field(Cud, u"SCUDCOMNAS"_s), u"FIRENZE"_s);
        QCOMPARE(closeRefusal(window), ChangesPending);
        press(window, u"Annulla"_s);
        QVERIFY(window.close());
    }

    void printedLockAndRelease()
    {
        EditorFixture fixture;
        LavoroCorrente& lavoro = fixture.context().lavoro();
        {
            Dataset list;
            fixture.context().certificates().openCertificates(list);
            fixture.context().certificates().setPrintedState(list, 1);
        }
        EliCud window(fixture.context());
        showActive(window);
        const QString code = window.editing().list().asString(u"SCUDCODFIS");
        const QString month = window.editing().list().asString(u"SCUDMESE");
        window.pages()->setCurrentIndex(1);
        ColumnField* place = window.field(Cud, u"SCUDCOMNAS"_s);
        QVERIFY(place->line()->isReadOnly());
        typeInto(place, u"FIRENZE"_s);
        QVERIFY(!window.editing().isEditing());
        ElfBase* inps = window.sectionFrame(SectionKind::Inps);
        QVERIFY(!commandOf(inps, u"Inserisci"_s)->isEnabled());
        QVERIFY(!window.command(u"Aggiungi Nota"_s)->isEnabled());

        const auto pressState = [&] { press(window, u"Stato"_s); };
        QCOMPARE(answeredBox(pressState, QMessageBox::No),
                 u"Il modello è gia stato stampato, si desidera modificarlo?"_s);
        QVERIFY(window.editing().isPrinted());
        QCOMPARE(stored(lavoro, code, month, u"iCudStato"_s), u"1"_s);
        answeredBox(pressState, QMessageBox::Yes);
        QTRY_VERIFY(!window.editing().isPrinted());
        const QString state = stored(lavoro, code, month, u"iCudStato"_s);
        QVERIFY2(state != u"<none>"_s && state.toInt() == 0, qPrintable(state));
        QVERIFY(!window.command(u"Stato"_s)->isEnabled());
        QVERIFY(!place->line()->isReadOnly());
        QVERIFY(commandOf(inps, u"Inserisci"_s)->isEnabled());
        typeInto(place, u"FIRENZE"_s);
        press(window, u"Salva"_s);
        QCOMPARE(stored(lavoro, code, month, u"SCUDCOMNAS"_s), u"FIRENZE"_s);
    }

    void deletionQuestions_data()
    {
        QTest::addColumn<bool>("printed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        const QString printed = u"IL MODELLO E' GIA STATO STAMPATO. Confermi la cancellazione?"_s;
        const QString ordinary = u"Confermi la cancellazione del modello corrente?"_s;
        QTest::newRow("ordinary, no") << false << false << ordinary;
        QTest::newRow("printed, yes") << true << true << printed;
    }
    void deletionQuestions()
    {
        QFETCH(bool, printed);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        EditorFixture fixture(4);
        LavoroCorrente& lavoro = fixture.context().lavoro();
        if (printed) {
            Dataset list;
            fixture.context().certificates().openCertificates(list);
            fixture.context().certificates().setPrintedState(list, 1);
        }
        EliCud window(fixture.context());
        showActive(window);
        const int before = window.editing().list().recordCount();
        const QString code = window.editing().list().asString(u"SCUDCODFIS");
        const QString month = window.editing().list().asString(u"SCUDMESE");
        const auto remove = [&] { press(window, u"Cancella"_s); };
        QCOMPARE(answeredBox(remove, yes ? QMessageBox::Yes : QMessageBox::No), question);
        QCOMPARE(window.editing().list().recordCount(), yes ? before - 1 : before);
        QCOMPARE(stored(lavoro, code, month, u"SCUDCODFIS"_s) == u"<none>"_s, yes);
    }

    void sectionFrame()
    {
        EditorFixture fixture;
        LavoroCorrente& lavoro = fixture.context().lavoro();
        EliCud window(fixture.context());
        showActive(window);
        ElfBase* inps = window.sectionFrame(SectionKind::Inps);
        window.pages()->setCurrentWidget(inps);
        const qint64 person = window.editing().current().person;
        const int before = storedCount(lavoro, u"TCUDI_INPS"_s, person);
        QCOMPARE(inps->position()->text(), u"%1 di %2"_s.arg(before > 0 ? 1 : 0).arg(before));

        QTest::mouseClick(buttonNamed(inps, u"Inserisci"_s), Qt::LeftButton);
        QCOMPARE(inps->position()->text(), u"Ins."_s);
        typeInto(inps->form()->field(u"sCudMatrAzienda"_s), u"9988776655"_s);
        typeInto(inps->form()->field(u"lCudGennaio"_s), u"X"_s);
        QTest::mouseClick(buttonNamed(inps, u"Salva"_s), Qt::LeftButton);
        QCOMPARE(storedCount(lavoro, u"TCUDI_INPS"_s, person), before + 1);
        QCOMPARE(inps->position()->text(), u"%1 di %2"_s.arg(inps->editing().rows().recNo() + 1).arg(before + 1));
        QCOMPARE(inps->editing().rows().asString(u"SCUDCODFIS"), window.editing().current().fiscalCode);
        QCOMPARE(inps->editing().rows().asString(u"lCudGennaio"), u"X"_s);
        QCOMPARE(inps->editing().rows().asString(u"lCudFebbraio"), u"0"_s);

        const auto remove = [&] { QTest::mouseClick(buttonNamed(inps, u"Cancella"_s), Qt::LeftButton); };
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            QCOMPARE(answeredBox(remove, answer), u"Confermi la cancellazione della sezione \"INPS\"?"_s);
            QCOMPARE(storedCount(lavoro, u"TCUDI_INPS"_s, person), answer == QMessageBox::No ? before + 1 : before);
        }
    }

    void familyMonthCounts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("one digit") << u"7"_s << u"Il mese deve essere di 2 cifre"_s;
        QTest::newRow("valid") << u"07"_s << QString();
    }
    void familyMonthCounts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        EditorFixture fixture(4);
        EliCud window(fixture.context());
        showActive(window);
        ElfBase* family = window.sectionFrame(SectionKind::Family);
        window.pages()->setCurrentWidget(family);
        if (family->editing().rows().isEmpty())
            QTest::mouseClick(buttonNamed(family, u"Inserisci"_s), Qt::LeftButton);
        ColumnField* months = family->form()->field(u"SCUDMESICARCON"_s);
        typeInto(months, typed);
        // Marked as typed, without a message box.
        QCOMPARE(months->defect(), message);
        QCOMPARE(months->line()->styleSheet().isEmpty(), message.isEmpty());
        QString seen;
        {
            const Watch watch = answerBox(&seen, QMessageBox::Ok);
            QTest::mouseClick(buttonNamed(family, u"Salva"_s), Qt::LeftButton);
            if (!message.isEmpty())
                QTRY_COMPARE(seen, message);
        }
        QCOMPARE(seen, message);
        QCOMPARE(family->editing().isEditing(), !message.isEmpty());
    }

    void lookupWithF8AndNote()
    {
        EditorFixture fixture;
        EliCud window(fixture.context());
        showActive(window);
        window.pages()->setCurrentIndex(1);
        ColumnField* category = window.field(Cud, u"SCUDCATEGPART"_s);
        QVERIFY(category->lookupButton());
        QString searchCaption;
        {
            const Watch watch = whenModal([&](QWidget* modal) {
                auto* lookup = qobject_cast<HlmRicerca*>(modal);
                QVERIFY(lookup);
                QCOMPARE(lookup->windowTitle(), u"Finestra di ricerca"_s);
                searchCaption = lookup->findChild<QLabel*>()->text();
                QTest::keyClicks(lookup->searchEdit(), u"D"_s);
                QTest::keyClick(lookup->searchEdit(), Qt::Key_Down);
                QTest::keyClick(lookup->searchEdit(), Qt::Key_Up);
                click(lookup, u"OK"_s);
            });
            category->line()->setFocus();
            QTest::keyClick(category->line(), Qt::Key_F8);
        }
        QCOMPARE(searchCaption, u"Cerca per Codice"_s);
        QCOMPARE(window.editing().list().asString(u"SCUDCATEGPART"), u"D"_s);
        QVERIFY(window.editing().isEditing());
        press(window, u"Annulla"_s);

        // "Annulla" in the dialog changes nothing.
        {
            const Watch watch = whenModal([](QWidget* modal) { click(modal, u"Annulla"_s); });
            QTest::mouseClick(category->lookupButton(), Qt::LeftButton);
        }
        QVERIFY(!window.editing().isEditing());

        window.pages()->setCurrentIndex(7);
        const QString before = window.editing().list().asString(u"SCUDANNOTAZIONI");
        {
            const Watch watch = whenModal([](QWidget* modal) {
                auto* lookup = qobject_cast<HlmRicerca*>(modal);
                QTest::keyClicks(lookup->searchEdit(), u"AB"_s);
                click(lookup, u"OK"_s);
            });
            press(window, u"Aggiungi Nota"_s);
        }
        QVERIFY(window.editing().isEditing());
        QCOMPARE(window.editing().list().asString(u"SCUDANNOTAZIONI"),
                 before + u"\r\nAB) Nel corso dell'anno sono state erogate somme relative a periodi d'imposta "
                          "precedenti."_s);
        press(window, u"Salva"_s);
        QVERIFY(!window.editing().isEditing());
    }

    void typedTextsAreMarked_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("marked");
        QTest::newRow("fiscal code") << u"SCUDCODFISRAPPR"_s << u"RSSMRA85T10A562T"_s << true;
        QTest::newRow("fiscal code, valid") << u"SCUDCODFISRAPPR"_s << u"RSSMRA85T10A562S"_s << false;
        QTest::newRow("date") << u"DCUDDATANAS"_s << u"31/02/19"_s << true;
    }
    void typedTextsAreMarked()
    {
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(bool, marked);
        EditorFixture fixture(2);
        EliCud window(fixture.context());
        showActive(window);
        window.pages()->setCurrentIndex(1);
        ColumnField* field = window.field(Cud, column);
        field->line()->setFocus();
        field->line()->selectAll();
        // Every keystroke is checked; none opens a window.
        for (const QChar c : typed) {
            QTest::keyClicks(field->line(), QString(c));
            QVERIFY(!QApplication::activeModalWidget());
        }
        QCOMPARE(!field->defect().isEmpty(), marked);
        QCOMPARE(field->line()->toolTip() == field->defect(), true);
    }

    void findingOpensTheField()
    {
        EditorFixture fixture(5);
        // The third certificate without its surname.
        QString code;
        {
            Dataset list;
            fixture.context().certificates().openCertificates(list);
            list.setRecNo(2);
            code = list.asString(u"SCUDCODFIS");
            list.edit();
            list.setValue(u"SCUDCOGNOME", QVariant());
            list.post();
            fixture.context().certificates().saveCertificate(list);
        }
        EliCud window(fixture.context());
        fixture.context().setNavigatore([&window](const CheckFinding& finding) { window.vaiA(finding); });
        showActive(window);
        press(window, u"Controlli"_s);
        auto* checks = window.findChild<EliControlli*>();
        QVERIFY(checks);
        int line = -1;
        for (int i = 0; i < checks->findings().size(); ++i)
            if (checks->findings()[i].column == u"SCUDCOGNOME" && checks->findings()[i].fiscalCode == code)
                line = i;
        QVERIFY2(line >= 0, "the blank surname is listed");
        QTreeWidgetItem* item = checks->list()->topLevelItem(line);
        QVERIFY(item->text(0).startsWith(u"Certificazione "_s + code));
        checks->list()->setCurrentItem(item);
        click(checks, u"Vai al campo"_s);
        QCOMPARE(window.editing().current().fiscalCode, code);
        QCOMPARE(window.pages()->currentIndex(), 1);
        QTRY_VERIFY(window.field(Cud, u"SCUDCOGNOME"_s)->line()->hasFocus());
    }
};

QTEST_MAIN(TestCertificateWindow)
#include "test_certificate_window.moc"
