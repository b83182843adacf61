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

} // namespace cu
