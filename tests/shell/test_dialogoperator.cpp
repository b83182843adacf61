// The dialog operator: questions answered by the pressed button, the
// information window with its read-only text and optional question, the
// progress dialog's cancel button setting the abort flag.
#include "shell/common/DialogOperator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace Qt::StringLiterals;

using namespace cu;

namespace {

// Waits for the next modal dialog and hands it to act (the dialogs block in
// their own event loop, so the answer comes from a timer).
void whenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(10, [act] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else
            whenModal(act);
    });
}

void press(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        box->button(QMessageBox::StandardButton(int(which)))->click();
        return;
    }
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

} // namespace

class TestDialogOperator : public QObject
{
    Q_OBJECT

private slots:
    void questionsFollowTheButton()
    {
        DialogOperator op;
        whenModal([](QWidget* d) { press(d, QDialogButtonBox::Yes); });
        QCOMPARE(op.ask(u"Sovrascrivere?"_s), Operator::Answer::Yes);
        whenModal([](QWidget* d) { press(d, QDialogButtonBox::No); });
        QCOMPARE(op.ask(u"Sovrascrivere?"_s), Operator::Answer::No);
        whenModal([](QWidget* d) { press(d, QDialogButtonBox::Cancel); });
        QCOMPARE(op.ask(u"Salvare?"_s, Operator::Buttons::YesNoCancel), Operator::Answer::Cancel);
    }

    void informationWindow()
    {
        DialogOperator op;
        QString shown;
        bool readOnly = false;
        whenModal([&](QWidget* d) {
            auto* box = d->findChild<QPlainTextEdit*>();
            shown = box->toPlainText();
            readOnly = box->isReadOnly();
            press(d, QDialogButtonBox::Close);
        });
        QVERIFY(op.showInfo(u"Log"_s, u"riga 1\nriga 2"_s));
        QCOMPARE(shown, u"riga 1\nriga 2"_s);
        QVERIFY(readOnly);

        whenModal([](QWidget* d) { press(d, QDialogButtonBox::No); });
        QVERIFY(!op.showInfo(u"Controlli"_s, u"x"_s, u"Proseguire?"_s));
        whenModal([](QWidget* d) { press(d, QDialogButtonBox::Yes); });
        QVERIFY(op.showInfo(u"Controlli"_s, u"x"_s, u"Proseguire?"_s));
    }

    void cancelSetsAbort()
    {
        QWidget window;
        window.show();
        DialogOperator op(&window);
        op.beginProgress(u"Importazione"_s, 10);
        op.setProgress(1, u"ROSSI"_s);
        QVERIFY(!op.wasAborted());
        auto* dialog = window.findChild<QProgressDialog*>();
        QVERIFY(dialog);
        QVERIFY(dialog->labelText().contains(u"ROSSI"_s));
        dialog->findChild<QPushButton*>()->click(); // "Annulla"
        QVERIFY(op.wasAborted());
        op.endProgress();
        QVERIFY(!window.findChild<QProgressDialog*>());
        op.beginProgress(u"Stampa"_s, 5);
        QVERIFY(!op.wasAborted());
        op.endProgress();
    }
};

QTEST_MAIN(TestDialogOperator)
#include "test_dialogoperator.moc"
