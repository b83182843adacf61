// An operator for the import tests: keeps every message as "kind: text" in
// one ordered log and answers every question with a fixed answer.
#pragma once

#include "foundation/operator/Operator.h"

#include <QStringList>

namespace cu::test {

class MessageLogOperator : public Operator
{
public:
    Answer answer = Answer::Yes;
    QStringList messages; // "kind: text"
    int abortAfter = -1;  // wasAborted() turns true after this many progress steps

    void error(const QString& text) override { messages.append(QStringLiteral("error: ") + text); }
    void warning(const QString& text) override { messages.append(QStringLiteral("warning: ") + text); }
    void information(const QString& text) override
    {
        messages.append(QStringLiteral("information: ") + text);
    }
    void stop(const QString& text) override { messages.append(QStringLiteral("stop: ") + text); }
    Answer ask(const QString& question, Buttons) override
    {
        messages.append(QStringLiteral("ask: ") + question);
        return answer;
    }
    bool showInfo(const QString& title, const QString& text, const QString&) override
    {
        messages.append(title + QStringLiteral(": ") + text);
        return true;
    }
    void beginProgress(const QString&, int) override { m_steps = 0; }
    void setProgress(int, const QString&) override { ++m_steps; }
    void endProgress() override {}
    bool wasAborted() const override { return abortAfter >= 0 && m_steps >= abortAfter; }

    QStringList of(const QString& kind) const
    {
        QStringList result;
        for (const QString& m : messages)
            if (m.startsWith(kind + QStringLiteral(": ")))
                result.append(m.mid(kind.size() + 2));
        return result;
    }

private:
    int m_steps = 0;
};

} // namespace cu::test
