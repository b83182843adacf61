// What the editing windows' tests share: a demo installation of its own
// whose certificates were imported by "modellocu import", opened as the
// desktop program opens it, with the editing context of the windows; and
// helpers that type into a generated field, answer a message box with one
// of its standard buttons and read a stored row back from a fresh store.
#pragma once

#include "ShellFixture.h"
#include "app/CommandLine.h"
#include "certificates/CertificateSchema.h"
#include "foundation/dataset/Dataset.h"
#include "shell/common/ItalianLocale.h"
#include "shell/editors/ColumnField.h"
#include "shell/editors/EditingContext.h"
#include "store/HlmDBCds.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>

namespace cu::test {

class EditorFixture : public ShellFixture
{
public:
    explicit EditorFixture(qint64 people = 8) : ShellFixture(people)
    {
        const Run run = runModellocu(folders().root(), {QStringLiteral("import"), QStringLiteral("--sovrascrivi"),
                                                        QStringLiteral("sempre")});
        if (run.status != 0)
            qFatal("import: %s", qPrintable(run.err));
    }

    EditingContext& context()
    {
        if (!m_context)
            m_context = std::make_unique<EditingContext>(open());
        return *m_context;
    }

private:
    std::unique_ptr<EditingContext> m_context;
};

// The button of that caption (mnemonic marks aside), shown or not.
inline QAbstractButton* commandOf(QWidget* window, const QString& caption)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (plain(button->text()) == caption)
            return button;
    qFatal("no button %s", qPrintable(caption));
}

// Shows a window and makes it the active one, so that its fields take the
// keyboard focus as on a screen.
inline void showActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("window not active: %s", qPrintable(window.windowTitle()));
}

// Types a text into a field as the operator does and leaves it with Enter
// (a check box is clicked when the text asks for the other state).
inline void typeInto(ColumnField* field, const QString& text)
{
    if (!field)
        qFatal("no such field");
    if (QCheckBox* box = field->checkBox()) {
        const bool wanted = !(text.isEmpty() || text == u"0");
        if (box->isChecked() != wanted)
            box->click();
        return;
    }
    QLineEdit* line = field->line();
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
}

// Answers the next message box with a standard button; keeps its text.
[[nodiscard]] inline Watch answerBox(QString* seen, QMessageBox::StandardButton button)
{
    return whenModal([seen, button](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box)
            qFatal("not a message box: %s", qPrintable(window->windowTitle()));
        if (seen)
            *seen = box->text();
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
}

// Runs an action that opens a message box, answers it with the button and
// returns its text (empty when none opened within five seconds).
template <typename Action>
QString answeredBox(Action action, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    QString seen;
    const Watch watch = answerBox(&seen, button);
    action();
    if (!QTest::qWaitFor([&] { return !seen.isEmpty(); }, 5000))
        qWarning("no message box");
    return seen;
}

// The refusal to close a window with a change pending.
inline const QString ChangesPending =
    QStringLiteral("Non è possibile chiudere la finestra prima di aver salvato le modifiche");

// Closes the window; returns the message that refused it (empty when it closed).
inline QString closeRefusal(QWidget& window)
{
    QString seen;
    const Watch watch = answerBox(&seen, QMessageBox::Ok);
    if (window.close())
        return QString();
    return QTest::qWaitFor([&] { return !seen.isEmpty(); }, 5000) ? seen : QString();
}

// The rows of a table as a fresh store reads them, one "COLUMN=value" list
// per row (the store's ids left out), sorted.
inline QStringList storedRows(LavoroCorrente& lavoro, const QString& table)
{
    Dataset rows;
    lavoro.app.store->open(rows, table);
    QStringList lines = rowLines(rows, {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")}, table);
    lines.sort();
    return lines;
}

} // namespace cu::test
