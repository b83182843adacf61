// What the tests of the file wizard and the print windows share: a demo
// installation whose certificates were imported by "modellocu import" and
// whose withholding agent was completed as the operator does before the
// supply (as the demo does), the main window with the output windows
// registered, the command line on the same installation, and small helpers
// that change a table's first row or read a window of the activities.
#pragma once

#include "ShellFixture.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "printing/HlkPdf.h"
#include "shell/frame/EliMain.h"
#include "shell/output/FinestreOutput.h"
#include "store/HlmDBCds.h"

#include <QFile>
#include <QProcess>

namespace cu::test {

struct CommandRun
{
    int status = -1;
    QString out;
    QString err;
};

class OutputFixture : public ShellFixture
{
public:
    // imported false: the archive only, no certificate stored.
    explicit OutputFixture(qint64 people = 8, bool imported = true) : ShellFixture(people)
    {
        if (!imported)
            return;
        const CommandRun run =
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
        if (!firstRowIsEmpty(QStringLiteral("TCUS_DATISOST")))
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

    CommandRun modellocu(const QStringList& args) const
    {
        QProcess process;
        process.start(buildRoot() + QStringLiteral("/bin/modellocu"),
                      QStringList{QStringLiteral("--root"), folders().root()} + args);
        process.closeWriteChannel();
        CommandRun run;
        if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
            run.status = process.exitCode();
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    HlmDBCds& store() { return *session().context().store; }

    void table(const QString& name, Dataset& rows) { store().open(rows, name); }

    bool firstRowIsEmpty(const QString& name)
    {
        Dataset rows;
        table(name, rows);
        return rows.isEmpty();
    }

    void changeFirstRow(const QString& name, const std::function<void(Dataset&)>& change)
    {
        Dataset rows;
        table(name, rows);
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

    EliMain& main() { return *m_main; }

private:
    std::unique_ptr<EliMain> m_main;
};

// The pages of a PDF file; -1 when it cannot be read.
inline int pdfPages(const QString& path)
{
    if (!QFile::exists(path))
        return -1;
    HlkPdf pdf;
    try {
        pdf.LoadFromFile(path);
    } catch (const Error&) {
        return -1;
    }
    return pdf.PageCount();
}

} // namespace cu::test
