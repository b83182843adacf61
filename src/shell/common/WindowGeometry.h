// Window sizes and positions remembered between runs: the geometry of a
// window is read from the settings (QSettings, group "Finestre", key = the
// window's name) when it is first shown and written when it is hidden.
#pragma once

#include <QObject>

class QWidget;

namespace cu {

class WindowGeometry : public QObject
{
public:
    // Follows window from now on; window owns the follower.
    static void remember(QWidget* window, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowGeometry(QWidget* window, const QString& name);
    void restore(QWidget* window) const;
    void save(QWidget* window) const;

    QString m_key;
    bool m_restored = false;
};

} // namespace cu
