// The wizard "Generazione file telematico Certificazione Unica" driven as an
// operator does on a demo installation: the file created and saved with
// each choice ("Tutti", "su Prenotazione" with marked rows, "Nessuno") and
// list order is byte for byte the file "modellocu file" writes with the same
// choices, numbers its certificates in the list's order and is shown field
// by field; every refusal of the creation, the data-check question refused
// and a cancelled creation leave nothing to save; "Salva" before a creation
// and a cancelled save dialog write nothing.
#include "OutputFixture.h"
#include "foundation/database/JobLock.h"
#include "shell/common/ItalianLocale.h"
#include "shell/output/EliFile.h"
#include "shell/output/EliFileViewer.h"
#include "telematic/TelematicViewer.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FileLayouts.h"

#include <QDir>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTreeWidget>

using namespace cu;
using namespace cu::test;

namespace {

QPushButton* saveButton(EliFile* wizard)
{
    return qobject_cast<QPushButton*>(wizard->button(QWizard::CustomButton1));
}

// The recipients' tax codes of the file's D records, in file order, each
// numbered after the one before.
QStringList recipientsInFile(const Folders& folders, const QString& path)
{
    static const QRegularExpression head(
        QStringLiteral("record D.*certificazione (\\d+) - percipiente (\\S+)"));
    QStringList codes;
    int lastNumber = 0;
    for (const ViewedLine& line : TelematicViewer(FileLayouts(folders)).read(path)) {
        const QRegularExpressionMatch match = head.match(line.title);
        if (!match.hasMatch())
            continue;
        if (match.captured(1).toInt() <= lastNumber)
            codes.append(QStringLiteral("numbered out of order"));
        lastNumber = match.captured(1).toInt();
        codes.append(match.captured(2));
    }
    return codes;
}

// The records of the tree viewer "Mostra contenuto" opens, and the first
// field of record A as "position|description|value".
QStringList recordsShown(EliFile* wizard, QString& firstField)
{
    QStringList records;
    const auto watch = whenModal([&](QWidget* window) {
        QTreeWidget* tree = qobject_cast<EliFileViewer*>(window)->albero();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            records.append(tree->topLevelItem(i)->text(0));
        QTreeWidgetItem* a = tree->topLevelItem(0)->child(0);
        firstField = QStringList{a->text(1), a->text(2), a->text(3)}.join(u'|');
        qobject_cast<QDialog*>(window)->reject();
    });
    click(wizard, QStringLiteral("Mostra contenuto"));
    return records;
}

} // namespace

class TestFileWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void savedFileEqualsTheCommandLine_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("orderBy"); // a column title, or none
        QTest::addColumn<QString>("orderField");
        QTest::addColumn<QVector<int>>("marked");
        // clang-format off
        QTest::newRow("Tutti") << "rbTutti" << "" << "SCUDCODFIS" << QVector<int>{};
        QTest::newRow("Tutti, by date of birth") << "rbTutti" << "Data di nascita" << "DCUDDATANAS" << QVector<int>{};
        QTest::newRow("su Prenotazione, by surname") << "rbPrenotazione" << "Cognome" << "SCUDCOGNOME" << QVector<int>{1, 3, 6};
        QTest::newRow("Nessuno") << "rbNessuno" << "" << "SCUDCODFIS" << QVector<int>{};
        // clang-format on
    }
    void savedFileEqualsTheCommandLine()
    {
        QFETCH(QString, choice);
        QFETCH(QString, orderBy);
        QFETCH(QString, orderField);
        QFETCH(QVector<int>, marked);
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        QCOMPARE(wizard->windowTitle(), QStringLiteral("Generazione file telematico Certificazione Unica"));
        DatasetGrid* list = wizard->lista();
        QVERIFY(!list->isEnabled());
        // The list is usable with "su Prenotazione"; its order stays, also
        // when the tables are read again back from "Crea file".
        tick(child<QRadioButton>(wizard, "rbPrenotazione"));
        QVERIFY(list->isEnabled());
        if (!orderBy.isEmpty())
            clickTitle(list, orderBy);
        click(wizard, QStringLiteral("Avanti >"));
        click(wizard, QStringLiteral("< Indietro"));
        QStringList listed;
        QStringList orderValues;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            orderValues.append(valueShown(list, qPrintable(orderField), row));
            if (choice == u"rbTutti" || marked.contains(row))
                listed.append(valueShown(list, "SCUDCODFIS", row));
        }
        QVERIFY(std::is_sorted(orderValues.begin(), orderValues.end()));
        for (int row : marked)
            mark(list, row);
        tick(child<QRadioButton>(wizard, qPrintable(choice)));
        QCOMPARE(list->isEnabled(), choice == u"rbPrenotazione");
        const TelematicOptions options = wizard->scelta();
        QCOMPARE(options.order, orderField);
        QCOMPARE(options.selected.size(), marked.size());

        click(wizard, QStringLiteral("Avanti >"));
        QVERIFY(!saveButton(wizard)->isEnabled());
        Seen seen;
        const QString saved = fixture.folders().dichCU() + QStringLiteral("finestra");
        {
            OutputScript script(seen, saved);
            click(wizard, QStringLiteral("Crea File telematico"));
            QVERIFY2(saveButton(wizard)->isEnabled(), qPrintable(wizard->log()));
            QVERIFY(wizard->log().contains(QStringLiteral("Operazione terminata con successo.")));
            click(wizard, QStringLiteral("Salva"));
        }
        QCOMPARE(wizard->fileScritti(), QStringList{saved});
        QCOMPARE(seen.messages.value(0),
                 QStringLiteral("Generazione file completata con successo. Il file è presente in:\n\r") +
                     saved);
        QCOMPARE(recipientsInFile(fixture.folders(), saved), listed);
        QString firstField;
        const QStringList records = recordsShown(wizard, firstField);
        QCOMPARE(records.size(), readFile(saved).count('\n'));
        QVERIFY(records.first().startsWith(QStringLiteral("Riga 1 - record A")));
        QVERIFY(records.last().contains(QStringLiteral("record Z")));
        QCOMPARE(firstField, QStringLiteral("1-1|Tipo record|A"));

        QStringList args{QStringLiteral("file"), QStringLiteral("--yes"), QStringLiteral("--output"),
                         fixture.folders().dichCU() + QStringLiteral("comando")};
        if (options.choice == TelematicOptions::Choice::None)
            args << QStringLiteral("--nessuno");
        if (options.choice == TelematicOptions::Choice::Selected)
            args << QStringLiteral("--solo") << options.selected.join(u',');
        args << QStringLiteral("--ordina") << options.order;
        const Run run = fixture.modellocu(args);
        QVERIFY2(run.status == 0, qPrintable(run.err + run.out));
        const QByteArray expected = readFile(fixture.folders().dichCU() + QStringLiteral("comando"));
        QVERIFY(expected.size() >= 3 * 1900);
        QCOMPARE(readFile(saved), expected);
        wizard->close();
    }

    // A failed, refused or cancelled creation leaves no field list and
    // nothing to save; the refused question also ends the wizard.
    void creationStoppedLeavesNothingToSave_data()
    {
        QTest::addColumn<int>("people");
        QTest::addColumn<QString>("table");  // its first row changed; none: nothing changed
        QTest::addColumn<QString>("column"); // set to value; none: the table emptied
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("log");
        // clang-format off
        QTest::newRow("no supplier row") << 8 << "TCFO_FORNITORE" << "" << "" << false << "***** Dati del fornitore mancanti, impossibile procedere!";
        QTest::newRow("blank supplier type") << 8 << "TCFO_FORNITORE" << "STFOCODICE" << "" << false << "***** Tipo fornitore mancante, impossibile procedere!";
        QTest::newRow("blank supplier fiscal code") << 8 << "TCFO_FORNITORE" << "SFORCODFIS" << "" << false << "***** Codice fiscale fornitore mancante, impossibile procedere!";
        QTest::newRow("no agent row") << 8 << "TCUS_DATISOST" << "" << "" << false << "***** Dati del sostituto mancanti, impossibile procedere!";
        QTest::newRow("blank agent office code") << 8 << "TCUS_DATISOST" << "SCARCODICE" << "" << false << "***** Dati mancanti del sostituto :    Codice Carica Rappresentante, impossibile procedere!";
        QTest::newRow("check question refused") << 8 << "TCFO_FORNITORE" << "SFORCODFIS" << "XYZ" << false << "Generazione file telematico terminata dall'utente";
        QTest::newRow("cancelled") << 26 << "" << "" << "" << true << "Generazione file telematico annullata dall'utente";
        // clang-format on
    }
    void creationStoppedLeavesNothingToSave()
    {
        QFETCH(int, people);
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, value);
        QFETCH(bool, cancel);
        QFETCH(QString, log);
        OutputFixture fixture(people);
        fixture.ready();
        if (!table.isEmpty() && column.isEmpty())
            fixture.emptyTable(table);
        else if (!table.isEmpty())
            fixture.changeFirstRow(table, [&](Dataset& row) { row.setValue(column, value); });
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        const bool questioned = !value.isEmpty();
        Seen seen;
        {
            OutputScript script(seen, QString(), cancel, QStringLiteral("No"));
            click(wizard, QStringLiteral("Crea File telematico"));
        }
        QVERIFY2(wizard->log().contains(log), qPrintable(wizard->log()));
        QVERIFY(!wizard->log().contains(QStringLiteral("Operazione terminata con successo.")));
        QCOMPARE(seen.questions.size(), questioned ? 1 : 0);
        QCOMPARE(seen.messages.isEmpty(), questioned || cancel);
        if (!seen.messages.isEmpty())
            QCOMPARE(seen.messages, QStringList{QStringLiteral("Operazione terminata con errore")});
        QVERIFY(!QFile::exists(FieldList::pathIn(fixture.folders())));
        QVERIFY(!saveButton(wizard)->isEnabled());
        if (questioned) {
            QTRY_VERIFY(!wizard->isVisible());
        } else {
            QVERIFY(wizard->isVisible());
            wizard->close();
        }
    }

    void saveWritesOnlyAfterACreation()
    {
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            OutputScript script(seen, fixture.folders().dichCU() + QStringLiteral("mai"));
            wizard->salva();
        }
        QCOMPARE(seen.messages,
                 QStringList{QStringLiteral("Dati obbligatori mancanti, impossibile creare il file!")});
        // Back and forth after a creation: the creation must be made again.
        {
            OutputScript script(seen);
            click(wizard, QStringLiteral("Crea File telematico"));
            QVERIFY(saveButton(wizard)->isEnabled());
            click(wizard, QStringLiteral("< Indietro"));
            click(wizard, QStringLiteral("Avanti >"));
            QVERIFY(!saveButton(wizard)->isEnabled());
            // A cancelled save dialog closes the wizard.
            click(wizard, QStringLiteral("Crea File telematico"));
            click(wizard, QStringLiteral("Salva"));
        }
        QTRY_VERIFY(!wizard->isVisible());
        QVERIFY(QDir(fixture.folders().dichCU()).entryList(QDir::Files).isEmpty());
    }

    // Creating the file while another session holds the year for an import
    // is refused naming the import, and leaves nothing to save.
    void creationWaitsForTheYear()
    {
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            const JobLock importing(*fixture.session().context().connection, 2024, JobLock::Job::Import);
            OutputScript script(seen);
            click(wizard, QStringLiteral("Crea File telematico"));
        }
        QCOMPARE(seen.messages.size(), 1);
        QVERIFY2(seen.messages.first().contains(QStringLiteral("è in corso il lavoro \"importazione\"")),
                 qPrintable(seen.messages.first()));
        QVERIFY(!saveButton(wizard)->isEnabled());
    }

    void withoutCertificates()
    {
        OutputFixture fixture(4, false);
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        Seen seen;
        {
            OutputScript script(seen);
            tick(child<QRadioButton>(wizard, "rbPrenotazione"));
        }
        QCOMPARE(seen.messages,
                 QStringList{QStringLiteral("Non sono presenti percipienti per il modello scelto")});
        QVERIFY(child<QRadioButton>(wizard, "rbTutti")->isChecked());
        QVERIFY(!wizard->lista()->isEnabled());
        wizard->close();

        const Run run = fixture.modellocu(
            {QStringLiteral("file"), QStringLiteral("--ordina"), QStringLiteral("SCUDMESE")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Colonna di ordinamento sconosciuta: \"SCUDMESE\"")),
                 qPrintable(run.err));
    }
};

QTEST_MAIN(TestFileWizard)
#include "test_filewizard.moc"
