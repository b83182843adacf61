// What the tests of the file wizard and the print windows share: a demo
// installation whose certificates were imported by "modellocu import" and
// whose withholding agent was completed as the operator does before the
// supply (as the demo does), the main window with the output windows
// registered, the command line on the same installation, helpers that change
// a table's first row or read a window of the activities, the operator's
// gestures on a list, and one script answering the windows' modal dialogs.
#pragma once

#include "ShellFixture.h"
#include "app/CommandLine.h"
#include "foundation/dataset/Dataset.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/EliSInfo.h"
#include "shell/frame/EliMain.h"
#include "shell/output/FinestreOutput.h"
#include "store/HlmDBCds.h"
#include "telematic/ProducerSetting.h"

#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>

namespace cu::test {

class OutputFixture : public ShellFixture
{
public:
    // imported false: the archive only, no certificate stored.
    explicit OutputFixture(qint64 people = 8, bool imported = true) : ShellFixture(people)
    {
        setProducerFiscalCode(folders(), QStringLiteral("01234567897")); // as the demo sets it
        if (!imported)
            return;
        const Run run =
            modellocu({QStringLiteral("import"), QStringLiteral("--sovrascrivi"), QStringLiteral("sempre")});
        if (run.status != 0)
            qFatal("modellocu import: %s", qPrintable(run.err));
    }

    // The windows closed by the test go before the operator they use.
    ~OutputFixture()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->testAttribute(Qt::WA_DeleteOnClose))
                widget->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_main.reset();
    }

    // Opens the installation; the agent gets its signing representative.
    LavoroCorrente& ready()
    {
        LavoroCorrente& lavoro = open();
        changeFirstRow(QStringLiteral("TCUS_DATISOST"), [](Dataset& agent) {
            agent.setValue(u"SSOSCFRAPPR", QStringLiteral("RSSMRA70A01H501S"));
            agent.setValue(u"SCARCODICE", QStringLiteral("1"));
            agent.setValue(u"SSOSCOGNRAPPR", QStringLiteral("ROSSI"));
            agent.setValue(u"SSOSNOMERAPPR", QStringLiteral("MARIO"));
            agent.setValue(u"SSOSFIRMACOM", QStringLiteral("MARIO ROSSI"));
        });
        m_main = std::make_unique<EliMain>(lavoro);
        registraFinestreOutput(*m_main);
        return lavoro;
    }

    Run modellocu(const QStringList& args) const { return runModellocu(folders().root(), args); }

    HlmDBCds& store() { return *session().context().store; }

    void table(const QString& name, Dataset& rows) { store().open(rows, name); }

    // Changes the table's first row, when it has one.
    void changeFirstRow(const QString& name, const std::function<void(Dataset&)>& change)
    {
        Dataset rows;
        table(name, rows);
        if (rows.isEmpty())
            return;
        rows.first();
        rows.edit();
        change(rows);
        rows.post();
        store().save(rows, name);
    }

    void emptyTable(const QString& name)
    {
        Dataset rows;
        table(name, rows);
        while (!rows.isEmpty()) {
            rows.first();
            rows.remove();
        }
        store().save(rows, name);
    }

    // Runs the activity of that caption as the navigation bar does and
    // returns the window it opened.
    template <typename Window> Window* runActivity(const QString& caption)
    {
        m_main->esegui(*EliAttivazioni::trova(caption));
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
                return window;
        qFatal("\"%s\" opened no window of the expected kind", qPrintable(caption));
    }

private:
    std::unique_ptr<EliMain> m_main;
};

// Marks (or unmarks) a row of the list with the space bar.
inline void mark(DatasetGrid* grid, int row)
{
    grid->setCurrentIndex(grid->model()->index(row, 0));
    QTest::keyClick(grid, Qt::Key_Space);
}

// The value of a column of the list's row, in the list's order.
inline QString valueShown(DatasetGrid* grid, const char* column, int row)
{
    const Dataset& rows = *grid->dataset();
    return rows.valueAt(grid->datasetRow(row), rows.requireField(QString::fromLatin1(column))).toString();
}

// What the operator saw while a window worked.
struct Seen
{
    QStringList messages;  // message boxes, in order
    QStringList questions; // the information window's texts
};

// Answers the modal windows of an output window: the information window's
// question with checkAnswer, the save dialog with saveAs (none: cancelled),
// every message box with OK; the progress dialog is left alone or, with
// cancelProgress, cancelled as soon as it shows.
class OutputScript
{
public:
    OutputScript(Seen& seen, const QString& saveAs = QString(), bool cancelProgress = false,
                 const QString& checkAnswer = QStringLiteral("Si"))
        : m_script([&seen, saveAs, checkAnswer, cancelProgress](QWidget* window) {
              if (auto* info = qobject_cast<EliSInfo*>(window)) {
                  seen.questions.append(info->findChild<QPlainTextEdit*>()->toPlainText());
                  click(info, checkAnswer);
              } else if (auto* dialog = qobject_cast<QFileDialog*>(window)) {
                  if (saveAs.isEmpty())
                      dialog->reject();
                  else {
                      dialog->selectFile(saveAs);
                      static_cast<QDialog*>(dialog)->accept();
                  }
              } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
                  seen.messages.append(box->text());
                  click(box, QStringLiteral("OK"));
              } else if (auto* progress = qobject_cast<QProgressDialog*>(window); progress && cancelProgress)
                  QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
          })
    {
    }

private:
    ModalScript m_script;
};

} // namespace cu::test
