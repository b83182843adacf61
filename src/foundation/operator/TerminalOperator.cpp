// Messages, questions and progress on the terminal.
#include "foundation/operator/TerminalOperator.h"

#include <QFile>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace cu {

namespace {

// The one process-wide flag a signal handler may touch.
std::atomic<bool> interrupted{false};

void onInterrupt(int)
{
    if (interrupted.exchange(true))
        std::_Exit(130);
}

std::unique_ptr<QIODevice> openStandard(FILE* stream, QIODevice::OpenMode mode)
{
    auto file = std::make_unique<QFile>();
    if (!file->open(stream, mode | QIODevice::Unbuffered))
        return nullptr;
    return file;
}

QString choices(Operator::Buttons buttons)
{
    return buttons == Operator::Buttons::YesNo ? QStringLiteral("[s/n]") : QStringLiteral("[s/n/a]");
}

} // namespace

TerminalOperator::TerminalOperator(Policy policy)
    : m_policy(policy), m_ownedInput(openStandard(stdin, QIODevice::ReadOnly)),
      m_ownedOutput(openStandard(stderr, QIODevice::WriteOnly)), m_in(m_ownedInput.get()),
      m_out(m_ownedOutput.get()), m_inputIsTerminal(isatty(fileno(stdin)) != 0),
      m_outputIsTerminal(isatty(fileno(stderr)) != 0)
{
}

TerminalOperator::TerminalOperator(Policy policy, QIODevice* input, bool inputIsTerminal, QIODevice* output,
                                   bool outputIsTerminal)
    : m_policy(policy), m_in(input), m_out(output), m_inputIsTerminal(inputIsTerminal),
      m_outputIsTerminal(outputIsTerminal)
{
}

TerminalOperator::~TerminalOperator()
{
    m_out.flush();
}

void TerminalOperator::say(const QString& prefix, const QString& text)
{
    finishProgressLine();
    m_out << prefix << u' ' << text << u'\n';
    m_out.flush();
}

void TerminalOperator::error(const QString& text)
{
    say(QStringLiteral("ERRORE:"), text);
}

void TerminalOperator::warning(const QString& text)
{
    say(QStringLiteral("ATTENZIONE:"), text);
}

void TerminalOperator::information(const QString& text)
{
    say(QStringLiteral("INFORMAZIONE:"), text);
}

void TerminalOperator::stop(const QString& text)
{
    say(QStringLiteral("ERRORE:"), text);
}

Operator::Answer TerminalOperator::ask(const QString& question, Buttons buttons)
{
    finishProgressLine();
    switch (m_policy) {
    case Policy::AnswerYes:
        m_out << "DOMANDA: " << question << " -> Sì (--yes)\n";
        m_out.flush();
        return Answer::Yes;
    case Policy::AnswerNo:
        m_out << "DOMANDA: " << question << " -> No\n";
        m_out.flush();
        return Answer::No;
    case Policy::Interactive:
        if (m_inputIsTerminal)
            return askOnTerminal(question, buttons);
        [[fallthrough]];
    case Policy::Refuse:
        break;
    }
    m_out << "DOMANDA: " << question << '\n'
          << "Esecuzione non interattiva: domanda rifiutata (usare --yes per rispondere Sì).\n";
    m_out.flush();
    throw EAbort();
}

Operator::Answer TerminalOperator::askOnTerminal(const QString& question, Buttons buttons)
{
    for (;;) {
        m_out << "DOMANDA: " << question << ' ' << choices(buttons) << ' ';
        m_out.flush();
        QString line;
        if (!m_in.readLineInto(&line)) {
            m_out << '\n';
            throw EAbort();
        }
        const QString answer = line.trimmed().toLower();
        if (answer == u"s" || answer == u"si" || answer == u"sì" || answer == u"y" || answer == u"yes")
            return Answer::Yes;
        if (answer == u"n" || answer == u"no")
            return Answer::No;
        if (buttons == Buttons::YesNoCancel && (answer == u"a" || answer == u"annulla"))
            return Answer::Cancel;
        m_out << "Risposta non valida: " << choices(buttons) << '\n';
    }
}

bool TerminalOperator::showInfo(const QString& title, const QString& text, const QString& question)
{
    finishProgressLine();
    m_out << title << '\n' << QString(title.size(), u'=') << '\n' << text;
    if (!text.endsWith(u'\n'))
        m_out << '\n';
    m_out.flush();
    if (question.isEmpty())
        return true;
    return ask(question) == Answer::Yes;
}

void TerminalOperator::beginProgress(const QString& caption, int total)
{
    finishProgressLine();
    m_caption = caption;
    m_total = total;
    m_lastTenth = -1;
    setProgress(0);
}

void TerminalOperator::setProgress(int done, const QString& text)
{
    const QString counter =
        m_total > 0 ? QStringLiteral("%1/%2").arg(done).arg(m_total) : QString::number(done);
    QString line = m_caption + u' ' + counter;
    if (!text.isEmpty())
        line += u' ' + text;
    if (m_outputIsTerminal) {
        // Erasing to the end of the line wipes what a longer previous line left.
        m_out << '\r' << line << "\x1b[K";
        m_out.flush();
        m_progressLineOpen = true;
        return;
    }
    const int tenth = m_total > 0 ? int(qint64(done) * 10 / m_total) : 0;
    if (tenth == m_lastTenth)
        return;
    m_lastTenth = tenth;
    m_out << line << '\n';
    m_out.flush();
}

void TerminalOperator::endProgress()
{
    finishProgressLine();
    m_caption.clear();
    m_total = 0;
}

void TerminalOperator::finishProgressLine()
{
    if (!m_progressLineOpen)
        return;
    m_out << '\n';
    m_out.flush();
    m_progressLineOpen = false;
}

bool TerminalOperator::wasAborted() const
{
    return interrupted.load();
}

void TerminalOperator::installInterruptHandler()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

void TerminalOperator::setInterrupted(bool value)
{
    interrupted.store(value);
}

} // namespace cu
