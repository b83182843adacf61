// The operator of the desktop program: Qt message boxes for messages and
// questions, a progress dialog whose "Annulla" button sets the abort flag,
// and the information window (a read-only text box with an optional Yes/No
// question).
#pragma once

#include "foundation/operator/Operator.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

namespace cu {

class DialogOperator : public Operator
{
public:
    // parent: the window the dialogs are modal to (may be null).
    explicit DialogOperator(QWidget* parent = nullptr);
    ~DialogOperator() override;

    void setParent(QWidget* parent) { m_parent = parent; }
    QWidget* parent() const { return m_parent; }

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

private:
    QPointer<QWidget> m_parent;
    QProgressDialog* m_progress = nullptr;
    QString m_caption;
    bool m_aborted = false;
};

} // namespace cu
