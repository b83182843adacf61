// The operator implementations without windows: how each error kind is shown
// (severity through the application-wide handler), scripted answers, and the
// terminal's prefixes, answer policies and progress lines.
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "foundation/operator/TerminalOperator.h"

#include <QBuffer>
#include <QtTest>
#include <csignal>
#include <stdexcept>

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

    void severityOfEachKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("severity");
        QTest::addColumn<QString>("shown");
        QTest::newRow("EZfError") << 0 << int(Severity::Error) << "Codice fiscale obbligatorio";
        QTest::newRow("EZfWarning") << 1 << int(Severity::Warning) << "Codice fiscale obbligatorio";
        QTest::newRow("EHlmWarning") << 2 << int(Severity::Warning) << "Gruppo non impostato.";
        QTest::newRow("EHlmCalcola") << 3 << int(Severity::Warning)
                                     << "Il figlio può essere a carico per intero o al 50%";
        QTest::newRow("DatabaseError") << 4 << int(Severity::Error) << "duplicate key";
        QTest::newRow("EAssertion") << 5 << int(Severity::Error) << "Query QRY_X non trovata (EliMFile)";
        QTest::newRow("std::exception") << 6 << int(Severity::Error) << "fuori memoria";
    }
    void severityOfEachKind()
    {
        QFETCH(int, kind);
        QFETCH(int, severity);
        QFETCH(QString, shown);
        ScriptedOperator op;
        try {
            switch (kind) {
            case 0:
                throw EZfError(shown);
            case 1:
                throw EZfWarning(shown);
            case 2:
                throw EHlmWarning(shown);
            case 3:
                throw EHlmCalcola(shown);
            case 4:
                throw DatabaseError(shown, QStringLiteral("INSERT ..."));
            case 5:
                throw EAssertion(QStringLiteral("Query QRY_X non trovata"), QStringLiteral("EliMFile"));
            default:
                throw std::runtime_error("fuori memoria");
            }
        } catch (const std::exception& e) {
            op.report(e);
        }
        QCOMPARE(op.messages().size(), 1);
        QCOMPARE(int(op.messages().first().severity), severity);
        QCOMPARE(op.messages().first().text, shown);
    }

    void sameTextDifferentSeverity()
    {
        ScriptedOperator op;
        const QString text = QStringLiteral("Codice fiscale amministrazione di servizio mancante");
        op.report(EHlmWarning(text));
        op.report(EZfError(text));
        QCOMPARE(op.texts(Severity::Warning), QStringList{text});
        QCOMPARE(op.texts(Severity::Error), QStringList{text});
    }

    void abortShowsNothing()
    {
        ScriptedOperator op;
        op.report(EAbort());
        QVERIFY(op.messages().isEmpty());
        Terminal terminal(TerminalOperator::Policy::Refuse);
        terminal.op->report(EAbort());
        QCOMPARE(terminal.written(), QString());
    }

    void assertionCarriesTheUnit()
    {
        const EAssertion e(QStringLiteral("Campo SCUDCODFIS mancante"), QStringLiteral("EliURecord_A"));
        QCOMPARE(e.unitName(), QStringLiteral("EliURecord_A"));
        QVERIFY(e.message().contains(QStringLiteral("EliURecord_A")));
        QVERIFY(e.message().contains(QStringLiteral("Campo SCUDCODFIS mancante")));
    }

    void scriptedAnswersInOrder()
    {
        ScriptedOperator op;
        op.queueAnswer(Operator::Answer::Yes);
        op.queueAnswer(Operator::Answer::No);
        op.queueAnswer(Operator::Answer::Cancel);
        QCOMPARE(op.ask(QStringLiteral("Sovrascrivere?")), Operator::Answer::Yes);
        QVERIFY(!op.showInfo(QStringLiteral("Log"), QStringLiteral("riga"), QStringLiteral("Proseguire?")));
        QCOMPARE(op.ask(QStringLiteral("Salvare?"), Operator::Buttons::YesNoCancel),
                 Operator::Answer::Cancel);
        QCOMPARE(op.questions(), (QStringList{QStringLiteral("Sovrascrivere?"), QStringLiteral("Proseguire?"),
                                              QStringLiteral("Salvare?")}));
        QCOMPARE(op.infos().size(), 1);
        QCOMPARE(op.infos().first().title, QStringLiteral("Log"));
        QVERIFY(op.showInfo(QStringLiteral("Log"), QStringLiteral("senza domanda")));
    }

    void unexpectedQuestionFailsLoudly()
    {
        ScriptedOperator op;
        try {
            op.ask(QStringLiteral("Domanda imprevista?"));
            QFAIL("answered without a script");
        } catch (const EAssertion& e) {
            QVERIFY(e.message().contains(QStringLiteral("Domanda imprevista?")));
        }
        op.queueAnswer(Operator::Answer::Cancel);
        QVERIFY_THROWS_EXCEPTION(EAssertion, op.ask(QStringLiteral("Sì o no?"), Operator::Buttons::YesNo));
    }

    void scriptedAbortDuringProgress()
    {
        ScriptedOperator op;
        op.abortAtProgress(3);
        op.beginProgress(QStringLiteral("Importazione"), 10);
        int done = 0;
        while (!op.wasAborted() && done < 10)
            op.setProgress(++done);
        op.endProgress();
        QCOMPARE(done, 3);
        QVERIFY(!op.progressRunning());
    }

    void terminalPrefixes()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse);
        terminal.op->error(QStringLiteral("uno"));
        terminal.op->warning(QStringLiteral("due"));
        terminal.op->information(QStringLiteral("tre"));
        terminal.op->stop(QStringLiteral("quattro"));
        terminal.op->report(EHlmCalcola(QStringLiteral("cinque")));
        QCOMPARE(terminal.written(), QStringLiteral("ERRORE: uno\nATTENZIONE: due\nINFORMAZIONE: tre\n"
                                                    "ERRORE: quattro\nATTENZIONE: cinque\n"));
    }

    void terminalPolicies()
    {
        Terminal yes(TerminalOperator::Policy::AnswerYes);
        QCOMPARE(yes.op->ask(QStringLiteral("Procedere?")), Operator::Answer::Yes);
        QVERIFY(yes.written().contains(QStringLiteral("Procedere?")));

        Terminal no(TerminalOperator::Policy::AnswerNo);
        QCOMPARE(no.op->ask(QStringLiteral("Procedere?")), Operator::Answer::No);

        Terminal batch(TerminalOperator::Policy::Refuse, "s\n", true);
        QVERIFY_THROWS_EXCEPTION(EAbort, batch.op->ask(QStringLiteral("Procedere?")));
        QVERIFY(batch.written().contains(QStringLiteral("Procedere?")));
        QVERIFY(batch.written().contains(QStringLiteral("domanda rifiutata")));

        // Interactive without a terminal behaves as batch mode.
        Terminal piped(TerminalOperator::Policy::Interactive, "s\n", false);
        QVERIFY_THROWS_EXCEPTION(EAbort, piped.op->ask(QStringLiteral("Procedere?")));
    }

    void terminalInteractiveAnswers()
    {
        Terminal terminal(TerminalOperator::Policy::Interactive, "forse\nsì\nN\na\n", true);
        QCOMPARE(terminal.op->ask(QStringLiteral("Uno?")), Operator::Answer::Yes);
        QVERIFY(terminal.written().contains(QStringLiteral("Risposta non valida")));
        QCOMPARE(terminal.op->ask(QStringLiteral("Due?")), Operator::Answer::No);
        QCOMPARE(terminal.op->ask(QStringLiteral("Tre?"), Operator::Buttons::YesNoCancel),
                 Operator::Answer::Cancel);
        // End of input: nobody can answer any more.
        QVERIFY_THROWS_EXCEPTION(EAbort, terminal.op->ask(QStringLiteral("Quattro?")));
    }

    void terminalShowInfo()
    {
        Terminal terminal(TerminalOperator::Policy::AnswerNo);
        QVERIFY(terminal.op->showInfo(QStringLiteral("Log importazione"), QStringLiteral("riga 1\nriga 2")));
        QVERIFY(!terminal.op->showInfo(QStringLiteral("Controlli"), QStringLiteral("x"),
                                       QStringLiteral("Stampare?")));
        const QString text = terminal.written();
        QVERIFY(text.startsWith(QStringLiteral("Log importazione\n================\nriga 1\nriga 2\n")));
        QVERIFY(text.contains(QStringLiteral("Stampare?")));
    }

    void progressWithoutTerminalEveryTenth()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse);
        terminal.op->beginProgress(QStringLiteral("Importazione"), 1000);
        for (int done = 1; done <= 1000; ++done)
            terminal.op->setProgress(done, QStringLiteral("ROSSI MARIO"));
        terminal.op->endProgress();
        const QStringList lines = terminal.written().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.first(), QStringLiteral("Importazione 0/1000"));
        QCOMPARE(lines[1], QStringLiteral("Importazione 100/1000 ROSSI MARIO"));
        QCOMPARE(lines.last(), QStringLiteral("Importazione 1000/1000 ROSSI MARIO"));
    }

    void progressOnTerminalOneLine()
    {
        Terminal terminal(TerminalOperator::Policy::Refuse, {}, false, true);
        terminal.op->beginProgress(QStringLiteral("Stampa"), 3);
        terminal.op->setProgress(1, QStringLiteral("A"));
        terminal.op->warning(QStringLiteral("avviso"));
        terminal.op->setProgress(2);
        terminal.op->endProgress();
        const QString text = terminal.written();
        QVERIFY(text.contains(QStringLiteral("\rStampa 1/3 A")));
        // A message during the run starts on its own line.
        QVERIFY(text.contains(QStringLiteral("\nATTENZIONE: avviso\n\rStampa 2/3")));
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
