// The operator implementations without windows: how each error kind is shown
// (severity through the application-wide handler), a scripted question nobody
// expected refused, and the terminal's prefixes, answer policies and progress lines.
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "foundation/operator/TerminalOperator.h"

#include <QBuffer>
#include <QtTest>
#include <csignal>
#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

using namespace cu;

namespace {

// A terminal operator on in-memory streams.
struct Terminal
{
    QBuffer input;
    QBuffer output;
    std::unique_ptr<TerminalOperator> op;

    Terminal(TerminalOperator::Policy policy, const QByteArray& typed = {}, bool inputTerminal = false,
             bool outputTerminal = false)
    {
        input.setData(typed);
        input.open(QIODevice::ReadOnly);
        output.open(QIODevice::WriteOnly);
        op = std::make_unique<TerminalOperator>(policy, &input, inputTerminal, &output, outputTerminal);
    }
    QString written() const { return QString::fromUtf8(output.data()); }
};

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { TerminalOperator::setInterrupted(false); }

    void severityOfEachKind()
    {
        // clang-format off
        const std::tuple<std::function<void()>, Severity, QString> kinds[] = {
            {[] { throw EZfError(u"Codice fiscale obbligatorio"_s); }, Severity::Error, u"Codice fiscale obbligatorio"_s},
            {[] { throw EZfWarning(u"Codice fiscale obbligatorio"_s); }, Severity::Warning, u"Codice fiscale obbligatorio"_s},
            {[] { throw EHlmWarning(u"Gruppo non impostato."_s); }, Severity::Warning, u"Gruppo non impostato."_s},
            {[] { throw EHlmCalcola(u"Il figlio può essere a carico per intero o al 50%"_s); }, Severity::Warning, u"Il figlio può essere a carico per intero o al 50%"_s},
            {[] { throw DatabaseError(u"duplicate key"_s, u"INSERT ..."_s); }, Severity::Error, u"duplicate key"_s},
            {[] { throw EAssertion(u"Query QRY_X non trovata"_s, u"EliMFile"_s); }, Severity::Error, u"Query QRY_X non trovata (EliMFile)"_s},
            {[] { throw std::runtime_error("fuori memoria"); }, Severity::Error, u"fuori memoria"_s}};
        // clang-format on
        for (const auto& [raise, severity, shown] : kinds) {
            ScriptedOperator op;
            try {
                raise();
            } catch (const std::exception& e) {
                op.report(e);
            }
            QCOMPARE(op.messages().size(), 1);
            QCOMPARE(op.messages().first().severity, severity);
            QCOMPARE(op.messages().first().text, shown);
        }
        // An abort shows nothing.
        ScriptedOperator op;
        op.report(EAbort());
        QVERIFY(op.messages().isEmpty());
    }

    void unexpectedQuestionFailsLoudly()
    {
        ScriptedOperator op;
        try {
            op.ask(u"Domanda imprevista?"_s);
            QFAIL("answered without a script");
        } catch (const EAssertion& e) {
            QVERIFY(e.message().contains(u"Domanda imprevista?"_s));
        }
        op.queueAnswer(Operator::Answer::Cancel);
        QVERIFY_THROWS_EXCEPTION(EAssertion, op.ask(u"Sì o no?"_s, Operator::Buttons::YesNo));
    }

    void terminalPrefixes()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse);
        terminal.op->error(u"uno"_s);
        terminal.op->warning(u"due"_s);
        terminal.op->information(u"tre"_s);
        terminal.op->stop(u"quattro"_s);
        terminal.op->report(EHlmCalcola(u"cinque"_s));
        terminal.op->report(EAbort()); // shows nothing
        QCOMPARE(terminal.written(), u"ERRORE: uno\nATTENZIONE: due\nINFORMAZIONE: tre\n"
                                     "ERRORE: quattro\nATTENZIONE: cinque\n"_s);
    }

    void terminalPolicies()
    {
        Terminal yes(TerminalOperator::Policy::AnswerYes);
        QCOMPARE(yes.op->ask(u"Procedere?"_s), Operator::Answer::Yes);
        QVERIFY(yes.written().contains(u"Procedere?"_s));

        Terminal no(TerminalOperator::Policy::AnswerNo);
        QCOMPARE(no.op->ask(u"Procedere?"_s), Operator::Answer::No);

        Terminal batch(TerminalOperator::Policy::Refuse, "s\n", true);
        QVERIFY_THROWS_EXCEPTION(EAbort, batch.op->ask(u"Procedere?"_s));
        QVERIFY(batch.written().contains(u"Procedere?"_s));
        QVERIFY(batch.written().contains(u"domanda rifiutata"_s));

        // Interactive without a terminal behaves as batch mode.
        Terminal piped(TerminalOperator::Policy::Interactive, "s\n", false);
        QVERIFY_THROWS_EXCEPTION(EAbort, piped.op->ask(u"Procedere?"_s));
    }

    void terminalInteractiveAnswers()
    {
        Terminal terminal(TerminalOperator::Policy::Interactive, "forse\nsì\nN\na\n", true);
        QCOMPARE(terminal.op->ask(u"Uno?"_s), Operator::Answer::Yes);
        QVERIFY(terminal.written().contains(u"Risposta non valida"_s));
        QCOMPARE(terminal.op->ask(u"Due?"_s), Operator::Answer::No);
        QCOMPARE(terminal.op->ask(u"Tre?"_s, Operator::Buttons::YesNoCancel), Operator::Answer::Cancel);
        // End of input: nobody can answer any more.
        QVERIFY_THROWS_EXCEPTION(EAbort, terminal.op->ask(u"Quattro?"_s));
    }

    void terminalShowInfo()
    {
        Terminal terminal(TerminalOperator::Policy::AnswerNo);
        QVERIFY(terminal.op->showInfo(u"Log importazione"_s, u"riga 1\nriga 2"_s));
        QVERIFY(!terminal.op->showInfo(u"Controlli"_s, u"x"_s, u"Stampare?"_s));
        const QString text = terminal.written();
        QVERIFY(text.startsWith(u"Log importazione\n================\nriga 1\nriga 2\n"_s));
        QVERIFY(text.contains(u"Stampare?"_s));
    }

    void progressWithoutTerminalEveryTenth()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse);
        terminal.op->beginProgress(u"Importazione"_s, 1000);
        for (int done = 1; done <= 1000; ++done)
            terminal.op->setProgress(done, u"ROSSI MARIO"_s);
        terminal.op->endProgress();
        const QStringList lines = terminal.written().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.first(), u"Importazione 0/1000"_s);
        QCOMPARE(lines[1], u"Importazione 100/1000 ROSSI MARIO"_s);
        QCOMPARE(lines.last(), u"Importazione 1000/1000 ROSSI MARIO"_s);
    }

    void progressOnTerminalOneLine()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse, {}, false, true);
        terminal.op->beginProgress(u"Stampa"_s, 3);
        terminal.op->setProgress(1, u"A"_s);
        terminal.op->warning(u"avviso"_s);
        terminal.op->setProgress(2);
        terminal.op->endProgress();
        const QString text = terminal.written();
        QVERIFY(text.contains(u"\rStampa 1/3 A"_s));
        // A message during the run starts on its own line.
        QVERIFY(text.contains(u"\nATTENZIONE: avviso\n\rStampa 2/3"_s));
        QVERIFY(text.endsWith(u'\n'));
        QCOMPARE(text.count(u'\n'), 3);
    }

    void interruptSetsAbort()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse);
        QVERIFY(!terminal.op->wasAborted());
        TerminalOperator::installInterruptHandler();
        std::raise(SIGINT);
        QVERIFY(terminal.op->wasAborted());
        TerminalOperator::setInterrupted(false);
        QVERIFY(!terminal.op->wasAborted());
    }
};

QTEST_GUILESS_MAIN(TestOperators)
#include "test_operators.moc"
