// Messages, questions, progress and the information window as Qt dialogs.
#include "shell/common/DialogOperator.h"

#include "shell/common/BusyCursor.h"
#include "shell/common/EliSInfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace cu {

namespace {

QString applicationTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Modello CU 2025") : name;
}

} // namespace

DialogOperator::DialogOperator(QWidget* parent) : m_parent(parent) {}

DialogOperator::~DialogOperator()
{
    endProgress();
}

void DialogOperator::error(const QString& text)
{
    const ArrowScope arrow;
    QMessageBox::critical(m_parent, applicationTitle(), text);
}

void DialogOperator::warning(const QString& text)
{
    const ArrowScope arrow;
    QMessageBox::warning(m_parent, applicationTitle(), text);
}

void DialogOperator::information(const QString& text)
{
    const ArrowScope arrow;
    QMessageBox::information(m_parent, applicationTitle(), text);
}

void DialogOperator::stop(const QString& text)
{
    const ArrowScope arrow;
    QMessageBox::critical(m_parent, applicationTitle(), text);
}

Operator::Answer DialogOperator::ask(const QString& question, Buttons buttons)
{
    const ArrowScope arrow;
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
    const ArrowScope arrow;
    EliSInfo window(text.split(u'\n'), question, m_parent);
    if (!title.isEmpty())
        window.setWindowTitle(title);
    const EliSInfo::Esito result = static_cast<EliSInfo::Esito>(window.exec());
    return question.isEmpty() || result == EliSInfo::Si;
}

void DialogOperator::beginProgress(const QString& caption, int total)
{
    endProgress();
    m_aborted = false;
    m_caption = caption;
    m_progress = new QProgressDialog(caption, QStringLiteral("Annulla"), 0, qMax(total, 0), m_parent);
    m_progress->setWindowTitle(applicationTitle());
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
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
