#pragma once
// Helpers for driving dialogs in tests: run a dialog modally while a test
// step acts on it, send keys, answer message boxes, pick system-menu
// entries. Everything runs on the offscreen platform, driven by the event
// loop; a watchdog ends a dialog nobody ended, so a broken test fails
// instead of hanging.

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

namespace uitest {

// A rectangle of dialog units (x, y, width, height) in the pixels of `dlg`'s
// font; sizes map like positions, each value on its own axis.
inline QRect MappedRect(const CDialog& dlg, int x, int y, int cx, int cy)
{
    RECT r{x, y, cx, cy};
    dlg.MapDialogRect(&r);
    return QRect(r.left, r.top, r.right, r.bottom);
}

// What DoModal returns when the watchdog had to end the dialog.
constexpr int kWatchdogResult = -99;

// Calls `step` from the event loop as soon as `ready` holds.
inline void WhenReady(std::function<bool()> ready, std::function<void()> step)
{
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [ready = std::move(ready), step = std::move(step), poll]() mutable {
        if (ready()) {
            auto run = std::move(step);
            *poll = nullptr;  // break the self-reference
            run();
        } else {
            QTimer::singleShot(1, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

// Runs dlg modally; once its window is up, runs `whileOpen`, which should end
// the dialog. Returns DoModal's result (kWatchdogResult if nothing ended it).
inline INT_PTR RunModal(CDialog& dlg, std::function<void()> whileOpen, int watchdogMs = 20000)
{
    bool finished = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (!finished && dlg.GetSafeHwnd() != nullptr) {
            dlg.EndDialog(kWatchdogResult);
        }
    });
    watchdog.start(watchdogMs);
    WhenReady([&] { return dlg.GetSafeHwnd() != nullptr && dlg.GetSafeHwnd()->isVisible(); },
              std::move(whileOpen));
    const INT_PTR result = dlg.DoModal();
    finished = true;
    return result;
}

// A key press and release as the focused widget would get them.
inline void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// The widget keys go to in a window: its focus widget, else the window.
inline QWidget* KeyTarget(QWidget* window)
{
    QWidget* focus = window->focusWidget();
    return focus != nullptr ? focus : window;
}

// Runs the event loop until `done` holds or the time is up; returns
// whether it holds. Only a guard against hanging: tests never assert speed.
inline bool SpinUntil(const std::function<bool()>& done, int limitMs = 20000)
{
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(limitMs);
    while (!done() && limit.isActive()) {
        loop.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return done();
}

// Records every message box instead of showing it, answering IDOK; `onBox`
// (optional) runs while the box is "open", as a person would take time to
// read it. Restores the previous handler when it goes.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(std::function<void(const MessageBoxRequest&)> onBox = {})
    {
        m_previous = AfxSetMessageBoxHandler([this, onBox](const MessageBoxRequest& request) {
            boxes.push_back(request);
            if (onBox) {
                onBox(request);
            }
            return IDOK;
        });
    }
    ~MessageBoxRecorder() { AfxSetMessageBoxHandler(std::move(m_previous)); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<MessageBoxRequest> boxes;

private:
    MessageBoxHandler m_previous;
};

// The texts of a popup menu's entries in order; "-" for a separator.
inline std::vector<std::string> MenuTexts(const QMenu* menu)
{
    std::vector<std::string> texts;
    for (const QAction* action : menu->actions()) {
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    }
    return texts;
}

// Once a popup menu is open, hands it to `choose`, which picks an action
// (or returns null to close the menu without a choice).
inline void WhenPopupOpens(std::function<QAction*(QMenu*)> choose)
{
    WhenReady([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
              [choose = std::move(choose)] {
                  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                  // As a person would: highlight the entry, press Enter.
                  QAction* action = choose(menu);
                  if (action != nullptr) {
                      menu->setActiveAction(action);
                      SendKey(menu, Qt::Key_Return);
                  } else {
                      SendKey(menu, Qt::Key_Escape);
                  }
              });
}

}  // namespace uitest
