// While an output window lives, the operator's messages, questions and
// progress dialogs are modal to it (they would otherwise belong to the main
// window, behind the modal output window); the former owner comes back when
// the window goes.
#pragma once

#include "shell/common/DialogOperator.h"

#include <QPointer>

namespace cu {

class DialogParent
{
public:
    DialogParent(DialogOperator& op, QWidget* window) : m_op(op), m_previous(op.parent())
    {
        m_op.setParent(window);
    }
    ~DialogParent() { m_op.setParent(m_previous); }
    DialogParent(const DialogParent&) = delete;
    DialogParent& operator=(const DialogParent&) = delete;

private:
    DialogOperator& m_op;
    QPointer<QWidget> m_previous;
};

} // namespace cu
