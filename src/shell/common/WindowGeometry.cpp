// Remembered window geometry.
#include "shell/common/WindowGeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace cu {

WindowGeometry::WindowGeometry(QWidget* window, const QString& name)
    : QObject(window), m_key(QStringLiteral("Finestre/") + name)
{
}

void WindowGeometry::remember(QWidget* window, const QString& name)
{
    window->installEventFilter(new WindowGeometry(window, name));
}

bool WindowGeometry::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && !m_restored) {
        m_restored = true;
        restore(window);
    } else if (event->type() == QEvent::Hide) {
        save(window);
    }
    return false;
}

void WindowGeometry::restore(QWidget* window) const
{
    const QByteArray geometry = QSettings().value(m_key).toByteArray();
    if (geometry.isEmpty())
        return;
    window->restoreGeometry(geometry);
    // A window remembered on a screen that is no longer there comes back
    // onto the primary one.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary && !primary->availableVirtualGeometry().intersects(window->frameGeometry()))
        window->move(primary->availableGeometry().topLeft());
}

void WindowGeometry::save(QWidget* window) const
{
    QSettings().setValue(m_key, window->saveGeometry());
}

} // namespace cu
