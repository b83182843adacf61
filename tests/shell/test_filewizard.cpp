// The wizard "Generazione file telematico Certificazione Unica" driven as an
// operator does on a demo installation: the file created and saved with
// each choice ("Tutti", "su Prenotazione" with marked rows and the list
// ordered by a column, "Nessuno") is byte for byte the file "modellocu file"
// writes with the same choices; every refusal of the creation and of "Salva"
// with its message and log; the data-check question refused; a cancelled
// creation; the saved file shown field by field.
#include "OutputFixture.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/EliSInfo.h"
#include "shell/common/ItalianLocale.h"
#include "shell/output/EliFile.h"
#include "shell/output/EliFileViewer.h"
#include "telematic/TelematicViewer.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FileLayouts.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTreeWidget>

using namespace cu;
using namespace cu::test;

namespace {

// What the operator saw while the wizard ran.
struct Seen
{
    QStringList messages;  // message boxes, in order
    QStringList questions; // the information window's texts
};

// Answers the wizard's modal windows: the data-check question with
// checkAnswer, the save dialog with the file name (none: cancelled), every
// message box with OK, the progress dialog left alone (or cancelled).
class WizardScript
{
public:
    WizardScript(Seen& seen, const QString& saveAs, const QString& checkAnswer = QStringLiteral("Si"),
                 bool cancelProgress = false)
        : m_script([&seen, saveAs, checkAnswer, cancelProgress](QWidget* window) {
              if (auto* info = qobject_cast<EliSInfo*>(window)) {
                  seen.questions.append(info->findChild<QPlainTextEdit*>()
                                            ? info->findChild<QPlainTextEdit*>()->toPlainText()
                                            : QString());
                  click(info, checkAnswer);
              } else if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
                  if (saveAs.isEmpty()) {
                      dialog->reject();
                  } else {
                      dialog->selectFile(saveAs);
                      static_cast<QDialog*>(dialog)->accept();
                  }
              } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
                  seen.messages.append(box->text());
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

QRadioButton* radio(EliFile* wizard, const char* name)
{
    auto* button = wizard->findChild<QRadioButton*>(QString::fromLatin1(name));
    if (!button)
        qFatal("no %s", name);
    return button;
}

void tick(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Marks a row of the list with the space bar.
void mark(DatasetGrid* grid, int row)
{
    grid->setCurrentIndex(grid->model()->index(row, 0));
    QTest::keyClick(grid, Qt::Key_Space);
}

// Clicks the title of the column with that caption.
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

QString columnText(DatasetGrid* grid, const QString& caption, int row)
{
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        if (grid->model()->headerData(column, Qt::Horizontal).toString() == caption)
            return grid->model()->index(row, column).data().toString();
    return QString();
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QPushButton* saveButton(EliFile* wizard)
{
    return qobject_cast<QPushButton*>(wizard->button(QWizard::CustomButton1));
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
        QTest::addColumn<QVector<int>>("marked");
        QTest::newRow("Tutti") << "rbTutti" << QString() << QVector<int>{};
        QTest::newRow("Tutti, by date of birth") << "rbTutti"
                                                 << "Data di nascita" << QVector<int>{};
        QTest::newRow("su Prenotazione, by surname") << "rbPrenotazione"
                                                     << "Cognome" << QVector<int>{1, 3, 6};
        QTest::newRow("Nessuno") << "rbNessuno" << QString() << QVector<int>{};
    }
    void savedFileEqualsTheCommandLine()
    {
        QFETCH(QString, choice);
        QFETCH(QString, orderBy);
        QFETCH(QVector<int>, marked);
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        QCOMPARE(wizard->windowTitle(), QStringLiteral("Generazione file telematico Certificazione Unica"));
        DatasetGrid* list = wizard->lista();
        QVERIFY(!list->isEnabled());
        // The list is usable with "su Prenotazione"; its order stays.
        tick(radio(wizard, "rbPrenotazione"));
        QVERIFY(list->isEnabled());
        if (!orderBy.isEmpty())
            clickTitle(list, orderBy);
        for (int row : marked)
            mark(list, row);
        tick(radio(wizard, qPrintable(choice)));
        QCOMPARE(list->isEnabled(), choice == u"rbPrenotazione");
        const TelematicOptions options = wizard->scelta();
        QCOMPARE(options.selected.size(), marked.size());

        click(wizard, QStringLiteral("Avanti >"));
        QVERIFY(!saveButton(wizard)->isEnabled());
        Seen seen;
        const QString saved = fixture.folders().dichCU() + QStringLiteral("finestra");
        {
            WizardScript script(seen, saved);
            click(wizard, QStringLiteral("Crea File telematico"));
            QVERIFY2(saveButton(wizard)->isEnabled(), qPrintable(wizard->log()));
            QVERIFY(wizard->log().contains(QStringLiteral("Operazione terminata con successo.")));
            click(wizard, QStringLiteral("Salva"));
        }
        QCOMPARE(wizard->fileScritti(), QStringList{saved});
        QCOMPARE(seen.messages.value(0),
                 QStringLiteral("Generazione file completata con successo. Il file è presente in:\n\r") +
                     saved);
        QVERIFY(buttonNamed(wizard, QStringLiteral("Mostra contenuto"))->isEnabled());

        QStringList args{QStringLiteral("file"), QStringLiteral("--yes"), QStringLiteral("--output"),
                         fixture.folders().dichCU() + QStringLiteral("comando")};
        if (options.choice == TelematicOptions::Choice::None)
            args << QStringLiteral("--nessuno");
        if (options.choice == TelematicOptions::Choice::Selected)
            args << QStringLiteral("--solo") << options.selected.join(u',');
        args << QStringLiteral("--ordina") << options.order;
        const CommandRun run = fixture.modellocu(args);
        QVERIFY2(run.status == 0, qPrintable(run.err + run.out));
        const QByteArray expected = bytesOf(fixture.folders().dichCU() + QStringLiteral("comando"));
        QVERIFY(expected.size() >= 3 * 1900);
        QCOMPARE(bytesOf(saved), expected);
        wizard->close();
    }

    void orderOfTheListNumbersTheCertificates()
    {
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        DatasetGrid* list = wizard->lista();
        tick(radio(wizard, "rbPrenotazione"));
        clickTitle(list, QStringLiteral("Nome"));
        QCOMPARE(wizard->scelta().order, QStringLiteral("SCUDNOME"));
        QStringList names;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            names.append(columnText(list, QStringLiteral("Nome"), row));
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(names, sorted);
        // Back from "Crea file" the tables are read again, in the same order.
        click(wizard, QStringLiteral("Avanti >"));
        click(wizard, QStringLiteral("< Indietro"));
        QStringList again;
        for (int row = 0; row < wizard->lista()->model()->rowCount(); ++row)
            again.append(columnText(wizard->lista(), QStringLiteral("Nome"), row));
        QCOMPARE(again, names);

        // The file numbers the certificates in that order: its D records,
        // in file order, carry the names sorted.
        tick(radio(wizard, "rbTutti"));
        QHash<QString, QString> nameOf;
        for (int row = 0; row < wizard->lista()->model()->rowCount(); ++row)
            nameOf.insert(columnText(wizard->lista(), QStringLiteral("Codice fiscale"), row),
                          columnText(wizard->lista(), QStringLiteral("Nome"), row));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        const QString saved = fixture.folders().dichCU() + QStringLiteral("CUR25");
        {
            WizardScript script(seen, saved);
            click(wizard, QStringLiteral("Crea File telematico"));
            click(wizard, QStringLiteral("Salva"));
        }
        const FileLayouts layouts(fixture.folders());
        QStringList inFile;
        int lastNumber = 0;
        static const QRegularExpression head(QStringLiteral("certificazione (\\d+) - percipiente (\\S+)"));
        for (const ViewedLine& line : TelematicViewer(layouts).read(saved)) {
            const QRegularExpressionMatch match = head.match(line.title);
            if (!line.title.contains(QStringLiteral("record D")) || !match.hasMatch())
                continue;
            QVERIFY(match.captured(1).toInt() > lastNumber);
            lastNumber = match.captured(1).toInt();
            inFile.append(nameOf.value(match.captured(2)));
        }
        QCOMPARE(inFile.size(), nameOf.size());
        QStringList sortedInFile = inFile;
        std::sort(sortedInFile.begin(), sortedInFile.end());
        QCOMPARE(inFile, sortedInFile);
        wizard->close();
    }

    void commandLineRefusesAnUnknownOrder()
    {
        OutputFixture fixture(4, false);
        const CommandRun run = fixture.modellocu(
            {QStringLiteral("file"), QStringLiteral("--ordina"), QStringLiteral("SCUDMESE")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Colonna di ordinamento sconosciuta: \"SCUDMESE\"")),
                 qPrintable(run.err));
    }

    void creationRefusals_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column"); // blanked; none: the table emptied
        QTest::addColumn<QString>("message");
        QTest::newRow("no supplier row")
            << "TCFO_FORNITORE" << QString() << "Dati del fornitore mancanti, impossibile procedere!";
        QTest::newRow("blank supplier type") << "TCFO_FORNITORE"
                                             << "STFOCODICE"
                                             << "Tipo fornitore mancante, impossibile procedere!";
        QTest::newRow("blank supplier fiscal code")
            << "TCFO_FORNITORE"
            << "SFORCODFIS"
            << "Codice fiscale fornitore mancante, impossibile procedere!";
        QTest::newRow("no agent row")
            << "TCUS_DATISOST" << QString() << "Dati del sostituto mancanti, impossibile procedere!";
        QTest::newRow("blank agent office code")
            << "TCUS_DATISOST"
            << "SCARCODICE"
            << "Dati mancanti del sostituto :    Codice Carica Rappresentante, impossibile procedere!";
    }
    void creationRefusals()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, message);
        OutputFixture fixture;
        fixture.ready();
        if (column.isEmpty())
            fixture.emptyTable(table);
        else
            fixture.changeFirstRow(table, [&](Dataset& row) { row.setValue(column, QString()); });
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            WizardScript script(seen, QString());
            click(wizard, QStringLiteral("Crea File telematico"));
        }
        QCOMPARE(seen.messages, QStringList{QStringLiteral("Operazione terminata con errore")});
        QVERIFY2(wizard->log().contains(QStringLiteral("***** ") + message), qPrintable(wizard->log()));
        QVERIFY(!saveButton(wizard)->isEnabled());
        QVERIFY(buttonNamed(wizard, QStringLiteral("Crea File telematico"))->isEnabled());
        wizard->close();
    }

    void saveBeforeACreationIsRefused()
    {
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            WizardScript script(seen, fixture.folders().dichCU() + QStringLiteral("mai"));
            wizard->salva();
        }
        QCOMPARE(seen.messages,
                 QStringList{QStringLiteral("Dati obbligatori mancanti, impossibile creare il file!")});
        QVERIFY(!QFile::exists(fixture.folders().dichCU() + QStringLiteral("mai")));
        // A creation, then back and forth: the creation must be made again.
        {
            WizardScript script(seen, QString());
            click(wizard, QStringLiteral("Crea File telematico"));
        }
        QVERIFY(saveButton(wizard)->isEnabled());
        click(wizard, QStringLiteral("< Indietro"));
        click(wizard, QStringLiteral("Avanti >"));
        QVERIFY(!saveButton(wizard)->isEnabled());
        wizard->close();
    }

    void cancelledSaveDialogClosesWithoutWriting()
    {
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            WizardScript script(seen, QString());
            click(wizard, QStringLiteral("Crea File telematico"));
            click(wizard, QStringLiteral("Salva"));
        }
        QTRY_VERIFY(!wizard->isVisible());
        QVERIFY(!QFile::exists(fixture.folders().dichCU() + QStringLiteral("CUR25")));
    }

    void noCertificatesToChooseFrom()
    {
        OutputFixture fixture(4, false);
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        Seen seen;
        {
            WizardScript script(seen, QString());
            tick(radio(wizard, "rbPrenotazione"));
        }
        QCOMPARE(seen.messages,
                 QStringList{QStringLiteral("Non sono presenti percipienti per il modello scelto")});
        QVERIFY(radio(wizard, "rbTutti")->isChecked());
        QVERIFY(!wizard->lista()->isEnabled());
        wizard->close();
    }

    void checkQuestionRefusedEndsTheWizard()
    {
        OutputFixture fixture;
        fixture.ready();
        fixture.changeFirstRow(QStringLiteral("TCFO_FORNITORE"),
                               [](Dataset& row) { row.setValue(u"SFORCODFIS", QStringLiteral("XYZ")); });
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            WizardScript script(seen, QString(), QStringLiteral("No"));
            click(wizard, QStringLiteral("Crea File telematico"));
        }
        QCOMPARE(seen.questions.size(), 1);
        QVERIFY(wizard->log().contains(QStringLiteral("Generazione file telematico terminata dall'utente")));
        QTRY_VERIFY(!wizard->isVisible());
    }

    void cancelledCreationCannotBeSaved()
    {
        OutputFixture fixture(26);
        fixture.ready();
        const QString fieldList = FieldList::pathIn(fixture.folders());
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        {
            WizardScript script(seen, QString(), QStringLiteral("Si"), true);
            click(wizard, QStringLiteral("Crea File telematico"));
        }
        QVERIFY2(wizard->log().contains(QStringLiteral("Generazione file telematico annullata dall'utente")),
                 qPrintable(wizard->log()));
        QVERIFY(!wizard->log().contains(QStringLiteral("Operazione terminata con successo.")));
        QVERIFY(!saveButton(wizard)->isEnabled());
        QVERIFY(!QFile::exists(fieldList));
        wizard->close();
    }

    void savedFileShownFieldByField()
    {
        OutputFixture fixture;
        fixture.ready();
        auto* wizard = fixture.runActivity<EliFile>(QStringLiteral("File Telematico"));
        click(wizard, QStringLiteral("Avanti >"));
        Seen seen;
        const QString saved = fixture.folders().dichCU() + QStringLiteral("CUR25");
        {
            WizardScript script(seen, saved);
            click(wizard, QStringLiteral("Crea File telematico"));
            click(wizard, QStringLiteral("Salva"));
        }
        QStringList records;
        QString firstField;
        const auto watch = whenModal([&](QWidget* window) {
            auto* viewer = qobject_cast<EliFileViewer*>(window);
            QVERIFY(viewer);
            QTreeWidget* tree = viewer->albero();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                records.append(tree->topLevelItem(i)->text(0));
            QTreeWidgetItem* a = tree->topLevelItem(0)->child(0);
            firstField = QStringList{a->text(1), a->text(2), a->text(3)}.join(u'|');
            viewer->reject();
        });
        click(wizard, QStringLiteral("Mostra contenuto"));
        const QList<QByteArray> lines = bytesOf(saved).split('\n');
        QCOMPARE(records.size(), lines.size() - 1);
        QVERIFY(records.first().startsWith(QStringLiteral("Riga 1 - record A")));
        QVERIFY(records.last().contains(QStringLiteral("record Z")));
        QCOMPARE(firstField, QStringLiteral("1-1|Tipo record|A"));
        QVERIFY(records.filter(QStringLiteral("record D")).size() == 8);
        wizard->close();
    }
};

QTEST_MAIN(TestFileWizard)
#include "test_filewizard.moc"
