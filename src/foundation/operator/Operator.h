// Every message and question to the operator goes through this interface, so
// the same logic runs in the windows, on the terminal and in tests. Three
// implementations: Qt dialogs (shell), the terminal (TerminalOperator) and a
// scripted one for tests (ScriptedOperator).
#pragma once

#include "foundation/operator/Errors.h"

#include <QString>
#include <QStringList>

namespace cu {

class Operator
{
public:
    enum class Answer { Yes, No, Cancel };
    enum class Buttons { YesNo, YesNoCancel };

    virtual ~Operator() = default;

    virtual void error(const QString& text) = 0;
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    // The message box with the stop icon.
    virtual void stop(const QString& text) = 0;
    virtual Answer ask(const QString& question, Buttons buttons = Buttons::YesNo) = 0;

    // The information window: a title and a text of many lines (the import
    // log, the check list). With a question, returns whether the operator
    // answered Yes; without one, returns true once the text was shown.
    virtual bool showInfo(const QString& title, const QString& text, const QString& question = {}) = 0;

    // Progress of a long run. wasAborted() is polled between units of work
    // (never inside one).
    virtual void beginProgress(const QString& caption, int total) = 0;
    virtual void setProgress(int done, const QString& text = {}) = 0;
    virtual void endProgress() = 0;
    virtual bool wasAborted() const = 0;

    // The application-wide handler: shows an exception with its severity.
    void report(const std::exception& e);
};

} // namespace cu
