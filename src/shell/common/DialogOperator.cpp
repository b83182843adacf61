// Messages, questions, progress and the information window as Qt dialogs.
#include "shell/common/DialogOperator.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QVBoxLayout>

namespace cu {

namespace {

QString applicationTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Modello CU 2025") : name;
}

// The information window: the text in a read-only box, and either a Yes/No
// question or a close button.
class InfoDialog : public QDialog
{
public:
    InfoDialog(QWidget* parent, const QString& title, const QString& text, const QString& question)
        : QDialog(parent)
    {
        setWindowTitle(title);
        resize(720, 480);
        auto* layout = new QVBoxLayout(this);
        auto* box = new QPlainTextEdit(text, this);
        box->setReadOnly(true);
        box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        layout->addWidget(box);
        // Yes accepts; No and Close reject.
        QDialogButtonBox* buttons = nullptr;
        if (question.isEmpty()) {
            buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
        } else {
            layout->addWidget(new QLabel(question, this));
            buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, this);
        }
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
    }
};

} // namespace

DialogOperator::DialogOperator(QWidget* parent) : m_parent(parent) {}

DialogOperator::~DialogOperator()
{
    endProgress();
}

void DialogOperator::error(const QString& text)
{
    QMessageBox::critical(m_parent, applicationTitle(), text);
}

void DialogOperator::warning(const QString& text)
{
    QMessageBox::warning(m_parent, applicationTitle(), text);
}

void DialogOperator::information(const QString& text)
{
    QMessageBox::information(m_parent, applicationTitle(), text);
}

void DialogOperator::stop(const QString& text)
{
    QMessageBox::critical(m_parent, applicationTitle(), text);
}

Operator::Answer DialogOperator::ask(const QString& question, Buttons buttons)
{
    QMessageBox::StandardButtons choices = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel)
        choices |= QMessageBox::Cancel;
    switch (QMessageBox::question(m_parent, applicationTitle(), question, choices)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Closing the box answers as the most cautious button there is.
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

bool DialogOperator::showInfo(const QString& title, const QString& text, const QString& question)
{
    InfoDialog dialog(m_parent, title, text, question);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    return question.isEmpty() ? true : accepted;
}

void DialogOperator::beginProgress(const QString& caption, int total)
{
    endProgress();
    m_aborted = false;
    m_caption = caption;
    m_progress = new QProgressDialog(caption, QStringLiteral("Annulla"), 0, qMax(total, 0), m_parent);
    m_progress->setWindowTitle(applicationTitle());
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(300);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    QObject::connect(m_progress, &QProgressDialog::canceled, m_progress, [this] { m_aborted = true; });
    m_progress->setValue(0);
}

void DialogOperator::setProgress(int done, const QString& text)
{
    if (!m_progress)
        return;
    m_progress->setLabelText(text.isEmpty() ? m_caption : m_caption + u'\n' + text);
    m_progress->setValue(done);
    QApplication::processEvents();
}

void DialogOperator::endProgress()
{
    if (!m_progress)
        return;
    m_progress->close();
    delete m_progress;
    m_progress = nullptr;
}

} // namespace cu
