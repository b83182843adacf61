// The dialog operator and the information window: questions answered by the
// pressed button; the information window in its two modes (one closing
// button, or the question with "Si" / "No"), closed by the frame or with
// Escape; "Blocco note" writing the lines into a new text file; the
// progress dialog's cancel button setting the abort flag; Qt's own buttons
// in Italian.
#include "shell/common/DialogOperator.h"
#include "shell/common/EliSInfo.h"
#include "shell/common/ItalianLocale.h"
#include "ShellFixture.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

using namespace cu;
using namespace cu::test;

class TestDialogOperator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("MODELLOCU_OPENER", "true");
        QVERIFY(installItalian(*QCoreApplication::instance()));
    }

    void questionsFollowTheButton_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("Sì") << false << QStringLiteral("Sì") << int(Operator::Answer::Yes);
        QTest::newRow("No") << false << QStringLiteral("No") << int(Operator::Answer::No);
        QTest::newRow("Annulla") << true << QStringLiteral("Annulla") << int(Operator::Answer::Cancel);
    }
    void questionsFollowTheButton()
    {
        QFETCH(bool, withCancel);
        QFETCH(QString, button);
        QFETCH(int, answer);
        DialogOperator op;
        const auto watch1 = whenModal([&](QWidget* box) { click(box, button); });
        const auto given = op.ask(QStringLiteral("Sovrascrivere?"),
                                  withCancel ? Operator::Buttons::YesNoCancel : Operator::Buttons::YesNo);
        QCOMPARE(int(given), answer);
    }

    void informationWindowModes_data()
    {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<QString>("action"); // a button's caption, "cornice" or "Esc"
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << false << QStringLiteral("OK") << int(EliSInfo::Ok);
        QTest::newRow("Si") << true << QStringLiteral("Si") << int(EliSInfo::Si);
        QTest::newRow("No") << true << QStringLiteral("No") << int(EliSInfo::No);
        QTest::newRow("cornice con domanda") << true << QStringLiteral("cornice") << int(EliSInfo::Annulla);
        QTest::newRow("Esc con domanda") << true << QStringLiteral("Esc") << int(EliSInfo::Annulla);
    }
    void informationWindowModes()
    {
        QFETCH(bool, ask);
        QFETCH(QString, action);
        QFETCH(int, result);
        QString shown;
        bool readOnly = false;
        bool questionShown = false;
        QString caption;
        const auto watch2 = whenModal([&](QWidget* window) {
            auto* box = window->findChild<QPlainTextEdit*>();
            shown = box->toPlainText();
            readOnly = box->isReadOnly();
            caption = window->windowTitle();
            for (QLabel* label : window->findChildren<QLabel*>())
                questionShown |= label->isVisible() && label->text() == u"Si desidera proseguire?";
            if (action == u"cornice")
                window->close();
            else if (action == u"Esc")
                QTest::keyClick(window, Qt::Key_Escape);
            else
                click(window, action);
        });
        const QStringList lines = {QStringLiteral("Dipendente ROSSI MARIO"), QStringLiteral("- riga")};
        QCOMPARE(int(ShowInfo(lines, ask)), result);
        QCOMPARE(shown, lines.join(u'\n'));
        QVERIFY(readOnly);
        QCOMPARE(caption, QStringLiteral("Informazioni"));
        QCOMPARE(questionShown, ask);
    }

    void emptyListClosesNormally()
    {
        QString shown = QStringLiteral("x");
        const auto watch3 = whenModal([&](QWidget* window) {
            shown = window->findChild<QPlainTextEdit*>()->toPlainText();
            QTest::keyClick(window, Qt::Key_Return);
        });
        QCOMPARE(ShowInfo({}, false), EliSInfo::Ok);
        QCOMPARE(shown, QString());
    }

    void operatorGoesOnOnlyOnYes()
    {
        DialogOperator op;
        const auto watch4 = whenModal([](QWidget* window) { window->close(); });
        QVERIFY(!op.showInfo(QStringLiteral("Controlli"), QStringLiteral("x"), QStringLiteral("Proseguire?")));
        const auto watch5 = whenModal([](QWidget* window) { click(window, QStringLiteral("Si")); });
        QVERIFY(op.showInfo(QStringLiteral("Controlli"), QStringLiteral("x"), QStringLiteral("Proseguire?")));
        const auto watch6 = whenModal([](QWidget* window) { click(window, QStringLiteral("OK")); });
        QVERIFY(op.showInfo(QStringLiteral("Importazione"), QStringLiteral("Fine")));
    }

    void notepadWritesTheLines()
    {
        QString written;
        const auto watch7 = whenModal([&](QWidget* window) {
            click(window, QStringLiteral("Blocco note"));
            written = static_cast<EliSInfo*>(window)->notepadFile();
            click(window, QStringLiteral("OK"));
        });
        ShowInfo({QStringLiteral("prima riga"), QStringLiteral("seconda riga")}, false);
        QVERIFY(written.endsWith(QStringLiteral(".txt")));
        QFile file(written);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("prima riga\r\nseconda riga\r\n"));
        file.close();
        QFile::remove(written);
    }

    void cancelSetsAbort()
    {
        QWidget window;
        window.show();
        DialogOperator op(&window);
        op.beginProgress(QStringLiteral("Importazione"), 10);
        op.setProgress(1, QStringLiteral("ROSSI"));
        QVERIFY(!op.wasAborted());
        auto* dialog = window.findChild<QProgressDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->labelText().contains(QStringLiteral("ROSSI")));
        QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton); // "Annulla"
        QVERIFY(op.wasAborted());
        op.endProgress();
        QVERIFY(!window.findChild<QProgressDialog*>());
        op.beginProgress(QStringLiteral("Stampa"), 5);
        QVERIFY(!op.wasAborted());
        op.endProgress();
    }
};

QTEST_MAIN(TestDialogOperator)
#include "test_dialogoperator.moc"
