// The operator of the command line. Messages go to the error stream with a
// severity prefix ("ERRORE:", "ATTENZIONE:", "INFORMAZIONE:"). Questions are
// answered by the policy given at construction: always yes (--yes), always
// no, refused (batch mode: the question is printed, then that it was refused,
// and the operation ends with EAbort), or asked on the terminal. Interactive
// falls back to refusing when the input is not a terminal.
//
// Progress: on a terminal one line rewritten in place
// ("\r<caption> 123/1000 <text>"); elsewhere a line at every tenth of the
// total. The abort flag is set by Ctrl+C once installInterruptHandler() was
// called: long runs stop after the current unit of work; a second Ctrl+C
// ends the program at once.
#pragma once

#include "foundation/operator/Operator.h"

#include <QTextStream>

class QIODevice;

namespace cu {

class TerminalOperator : public Operator
{
public:
    enum class Policy
    {
        Interactive,
        AnswerYes,
        AnswerNo,
        Refuse
    };

    // Standard input and standard error, terminal or not as they are.
    explicit TerminalOperator(Policy policy = Policy::Interactive);
    // Given streams (tests, other front ends); the flags say whether each
    // behaves as a terminal.
    TerminalOperator(Policy policy, QIODevice* input, bool inputIsTerminal, QIODevice* output,
                     bool outputIsTerminal);
    ~TerminalOperator() override;

    void error(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
    void stop(const QString& text) override;
    Answer ask(const QString& question, Buttons buttons = Buttons::YesNo) override;
    bool showInfo(const QString& title, const QString& text, const QString& question = {}) override;

    void beginProgress(const QString& caption, int total) override;
    void setProgress(int done, const QString& text = {}) override;
    void endProgress() override;
    bool wasAborted() const override;

    // Makes Ctrl+C set the abort flag of every terminal operator.
    static void installInterruptHandler();
    // Sets or clears the flag (what Ctrl+C does; also for tests).
    static void setInterrupted(bool interrupted);

private:
    void say(const QString& prefix, const QString& text);
    Answer askOnTerminal(const QString& question, Buttons buttons);
    void finishProgressLine();

    Policy m_policy;
    std::unique_ptr<QIODevice> m_ownedInput;
    std::unique_ptr<QIODevice> m_ownedOutput;
    QTextStream m_in;
    QTextStream m_out;
    bool m_inputIsTerminal;
    bool m_outputIsTerminal;

    QString m_caption;
    int m_total = 0;
    int m_lastTenth = -1;
    bool m_progressLineOpen = false;
};

} // namespace cu
