// What the window tests share: a demo installation of their own opened
// through the start-up sequence with the dialog operator, the run's work for
// the main window, and helpers that answer modal dialogs (they block in
// their own event loop, so the answer comes from a timer) and press buttons
// by their caption as an operator would.
#pragma once

#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/ScriptedOperator.h"
#include "import/demo/DemoInstallation.h"
#include "shell/common/DialogOperator.h"
#include "shell/frame/EliMain.h"
#include "shell/frame/LavoroCorrente.h"
#include "startup/InstallationSession.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBox>
#include <QToolButton>
#include <functional>
#include <memory>

namespace cu::test {

// A caption without its mnemonic marks.
inline QString plain(QString caption)
{
    return caption.remove(u'&');
}

// The button of a window whose caption (mnemonic marks aside) is text; null
// when there is none.
inline QAbstractButton* buttonNamed(QWidget* window, const QString& text)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (plain(button->text()) == text && button->isVisible())
            return button;
    return nullptr;
}

// Clicks the button of that caption with the mouse.
inline void click(QWidget* window, const QString& text)
{
    QAbstractButton* button = buttonNamed(window, text);
    if (!button)
        qFatal("no button \"%s\" in %s", qPrintable(text), qPrintable(window->windowTitle()));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Ticks a check box or a radio button with the mouse (the middle of a wide
// check box lies beyond its caption).
inline void tick(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// The child of that object name; a missing one ends the test run.
template <typename T> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s in %s", name, qPrintable(window->windowTitle()));
    return found;
}

// Clicks the title of the list's column with that caption.
inline void clickTitle(QTableView* grid, const QString& caption)
{
    QHeaderView* header = grid->horizontalHeader();
    for (int section = 0; section < header->count(); ++section)
        if (grid->model()->headerData(section, Qt::Horizontal).toString() == caption) {
            const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            return;
        }
    qFatal("no column %s", qPrintable(caption));
}

// The main window's navigation button of that caption; null when there is none.
inline QToolButton* navigationButton(EliMain& window, const QString& caption)
{
    for (QToolButton* button : window.navigazione()->findChildren<QToolButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

// Hands the next modal window to act, once it is shown (polled every few
// milliseconds). Polling stops when the returned watch is dropped, or after
// a minute, so that a test cannot hang.
using Watch = std::shared_ptr<bool>;
[[nodiscard]] inline Watch whenModal(std::function<void(QWidget*)> act, QWidget* notThis = nullptr)
{
    auto alive = std::make_shared<bool>(true);
    std::weak_ptr<bool> watched = alive;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act, notThis, started, watched, weakPoll = std::weak_ptr<std::function<void()>>(poll)] {
        auto self = weakPoll.lock();
        if (watched.expired() || !self)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != notThis && modal->isVisible()) {
            act(modal);
            return;
        }
        if (started->elapsed() < 60000)
            QTimer::singleShot(5, *self);
    };
    // The poll lives as long as the watch.
    auto holder = std::shared_ptr<bool>(alive.get(), [alive, poll](bool*) {});
    QTimer::singleShot(5, *poll);
    return holder;
}

// The text of a message box, or the title of another window.
inline QString messageOf(QWidget* window)
{
    if (auto* box = qobject_cast<QMessageBox*>(window))
        return box->text();
    return window->windowTitle();
}

// Answers the next message box with the button of that caption and keeps
// its text in *seen.
[[nodiscard]] inline Watch answerMessage(QString* seen, const QString& button)
{
    return whenModal([seen, button](QWidget* box) {
        if (seen)
            *seen = messageOf(box);
        click(box, button);
    });
}

// Answers every modal window that appears while it runs: the handler gets
// each new one once (the next poll is planned before the handler runs, so
// windows opened by the handler itself are answered too). Handlers record
// what they saw for the test to check afterwards.
class ModalScript
{
public:
    explicit ModalScript(std::function<void(QWidget*)> handler) : m_handler(std::move(handler))
    {
        m_alive = std::make_shared<bool>(true);
        schedule();
    }
    ~ModalScript() { *m_alive = false; }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

private:
    void schedule()
    {
        std::weak_ptr<bool> alive = m_alive;
        QTimer::singleShot(5, [this, alive] {
            if (alive.expired() || !*alive.lock())
                return;
            schedule();
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || modal->property("answered").toBool())
                return;
            modal->setProperty("answered", true);
            m_handler(modal);
        });
    }

    std::function<void(QWidget*)> m_handler;
    std::shared_ptr<bool> m_alive;
};

// A demo installation of people persons in a folder of its own, opened for
// the year 2024 with the dialog operator.
class ShellFixture
{
public:
    explicit ShellFixture(qint64 people = 26)
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("MODELLOCU_OPENER", "true");
        demo::DemoOptions options;
        options.people = people;
        ScriptedOperator quiet;
        demo::DemoInstallation installation(buildRoot(), m_root.path(), options, quiet);
        installation.prepareFolders();
        installation.copyProgramFiles();
        installation.writeSettings();
        installation.createDatabase();
        const QStringList errors = quiet.texts(Severity::Error);
        if (!errors.isEmpty())
            qFatal("demo installation: %s", qPrintable(errors.join(u'\n')));
    }

    Folders folders() const { return Folders(m_root.path()); }

    // Brings the installation up as the desktop program does.
    LavoroCorrente& open()
    {
        m_session = std::make_unique<InstallationSession>(
            folders(), op, ProgramIdentity{QStringLiteral("modellocu-gui"), QStringLiteral(MODELLOCU_VERSION),
                                     QStringLiteral("Modello CU 2025")}, [](const QString&, const QStringList&) { return false; });
        QStringList none;
        if (!m_session->open(ConnectionSettings::load(folders(), none), 2024))
            qFatal("the demo installation did not open");
        m_lavoro = std::make_unique<LavoroCorrente>(
            LavoroCorrente{m_session->context(), op, QStringLiteral("2024"), QString()});
        return *m_lavoro;
    }

    InstallationSession& session() { return *m_session; }
    DialogOperator op;

private:
    QTemporaryDir m_root;
    std::unique_ptr<InstallationSession> m_session;
    std::unique_ptr<LavoroCorrente> m_lavoro;
};

} // namespace cu::test
