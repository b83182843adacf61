// Recording operator for tests.
#include "foundation/operator/ScriptedOperator.h"

namespace cu {

void ScriptedOperator::error(const QString& text)
{
    m_messages.append({Severity::Error, text});
}

void ScriptedOperator::warning(const QString& text)
{
    m_messages.append({Severity::Warning, text});
}

void ScriptedOperator::information(const QString& text)
{
    m_messages.append({Severity::Information, text});
}

void ScriptedOperator::stop(const QString& text)
{
    m_messages.append({Severity::Error, text, true});
}

Operator::Answer ScriptedOperator::nextAnswer(const QString& question)
{
    m_questions.append(question);
    if (m_answers.isEmpty())
        throw EAssertion(QStringLiteral("Domanda senza risposta prevista dal test: \"%1\"").arg(question),
                         QStringLiteral("ScriptedOperator"));
    return m_answers.dequeue();
}

Operator::Answer ScriptedOperator::ask(const QString& question, Buttons buttons)
{
    const Answer answer = nextAnswer(question);
    if (answer == Answer::Cancel && buttons == Buttons::YesNo)
        throw EAssertion(QStringLiteral("Risposta Annulla a una domanda Sì/No: \"%1\"").arg(question),
                         QStringLiteral("ScriptedOperator"));
    return answer;
}

bool ScriptedOperator::showInfo(const QString& title, const QString& text, const QString& question)
{
    m_infos.append({title, text, question});
    if (question.isEmpty())
        return true;
    return nextAnswer(question) == Answer::Yes;
}

void ScriptedOperator::beginProgress(const QString&, int)
{
    m_progressRunning = true;
    m_lastProgress = 0;
}

void ScriptedOperator::setProgress(int done, const QString&)
{
    m_lastProgress = done;
    if (m_abortAt >= 0 && done >= m_abortAt)
        m_aborted = true;
}

void ScriptedOperator::endProgress()
{
    m_progressRunning = false;
}

QStringList ScriptedOperator::texts(Severity severity) const
{
    QStringList result;
    for (const Message& message : m_messages) {
        if (message.severity == severity)
            result.append(message.text);
    }
    return result;
}

void ScriptedOperator::clear()
{
    m_messages.clear();
    m_questions.clear();
    m_infos.clear();
    m_answers.clear();
    m_aborted = false;
    m_abortAt = -1;
    m_lastProgress = -1;
    m_progressRunning = false;
}

} // namespace cu
