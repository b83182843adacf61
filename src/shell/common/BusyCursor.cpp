// The hourglass cursor.
#include "shell/common/BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace cu {

void BusyCursor::begin()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void BusyCursor::end()
{
    QApplication::restoreOverrideCursor();
}

BusyScope::BusyScope()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyScope::~BusyScope()
{
    QApplication::restoreOverrideCursor();
}

ArrowScope::ArrowScope() : m_busy(QApplication::overrideCursor() != nullptr)
{
    if (m_busy)
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

ArrowScope::~ArrowScope()
{
    if (m_busy)
        QApplication::restoreOverrideCursor();
}

} // namespace cu
