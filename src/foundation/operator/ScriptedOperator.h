// The operator of the tests: records every message with its severity, every
// question and every information window, answers questions from a queue of
// scripted answers, and can be told that the operator asked to stop. A
// question without a scripted answer is an EAssertion, so a test never passes
// on a question it did not expect.
#pragma once

#include "foundation/operator/Operator.h"

#include <QList>
#include <QQueue>

namespace cu {

class ScriptedOperator : public Operator
{
public:
    struct Message
    {
        Severity severity;
        QString text;
        bool stop = false; // shown with the stop icon
    };
    struct Info
    {
        QString title;
        QString text;
        QString question;
    };

    void error(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& text) override;
    void stop(const QString& text) override;
    Answer ask(const QString& question, Buttons buttons = Buttons::YesNo) override;
    bool showInfo(const QString& title, const QString& text, const QString& question = {}) override;

    void beginProgress(const QString& caption, int total) override;
    void setProgress(int done, const QString& text = {}) override;
    void endProgress() override;
    bool wasAborted() const override { return m_aborted; }

    // Scripting.
    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    int pendingAnswers() const { return int(m_answers.size()); }
    void setAborted(bool aborted) { m_aborted = aborted; }
    // Sets the abort flag once setProgress reports done >= units (the
    // operator pressing "stop" during a long run); -1 switches it off.
    void abortAtProgress(int units) { m_abortAt = units; }

    // What happened.
    const QList<Message>& messages() const { return m_messages; }
    const QStringList& questions() const { return m_questions; }
    const QList<Info>& infos() const { return m_infos; }
    int lastProgress() const { return m_lastProgress; }
    bool progressRunning() const { return m_progressRunning; }
    // The texts of the messages of one severity, in order.
    QStringList texts(Severity severity) const;
    void clear();

private:
    Answer nextAnswer(const QString& question);

    QList<Message> m_messages;
    QStringList m_questions;
    QList<Info> m_infos;
    QQueue<Answer> m_answers;
    bool m_aborted = false;
    int m_abortAt = -1;
    int m_lastProgress = -1;
    bool m_progressRunning = false;
};

} // namespace cu
