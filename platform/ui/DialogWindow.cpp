#include "platform/ui/DialogWindow.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

WPARAM CommandFrom(int id)
{
    return MAKEWPARAM(WORD(id), WORD(BN_CLICKED));
}

}  // namespace

DialogWindow::DialogWindow(QWidget* owner, Qt::WindowFlags flags, DWORD style, CSize baseUnits)
    : QWidget(owner, flags), WindowLink(this, 0, style), m_baseUnits(baseUnits)
{
    // A skin's background for the dialog is painted like a QDialog's.
    setAttribute(Qt::WA_StyledBackground);
    if ((style & WS_SYSMENU) != 0) {
        ResetSystemMenu();
    }
}

DialogWindow::~DialogWindow() = default;

void DialogWindow::ResetSystemMenu()
{
    m_systemMenu = std::make_unique<CMenu>();
    m_systemMenu->AppendMenu(MF_STRING, SC_RESTORE, "还原(&R)");
    if ((Style() & WS_MINIMIZEBOX) != 0) {
        m_systemMenu->AppendMenu(MF_STRING, SC_MINIMIZE, "最小化(&N)");
    }
    m_systemMenu->AppendMenu(MF_SEPARATOR);
    m_systemMenu->AppendMenu(MF_STRING, SC_CLOSE, "关闭(&C)\tAlt+F4");
}

CMenu* DialogWindow::SystemMenu(bool revert)
{
    if (m_systemMenu == nullptr) {
        return nullptr;
    }
    if (revert) {
        ResetSystemMenu();
        return nullptr;
    }
    return m_systemMenu.get();
}

void DialogWindow::ShowSystemMenu(const QPoint& globalPos)
{
    if (m_systemMenu == nullptr) {
        return;
    }
    // Restore makes sense only for a minimised window, minimise only for one
    // that is not.
    m_systemMenu->EnableMenuItem(SC_RESTORE, isMinimized() ? MF_STRING : MF_GRAYED);
    m_systemMenu->EnableMenuItem(SC_MINIMIZE, isMinimized() ? MF_GRAYED : MF_STRING);
    const UINT command = m_systemMenu->TrackPopup(globalPos, this);
    if (command != 0) {
        SendToWnd(WM_SYSCOMMAND, command, 0);
    }
}

void DialogWindow::FocusFirstTabStop()
{
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        WindowLink* link = widget != nullptr ? WindowLink::From(widget) : nullptr;
        if (link != nullptr && (link->Style() & WS_TABSTOP) != 0 && widget->isEnabled() &&
            !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void DialogWindow::PressDefaultButton()
{
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (focused != nullptr && focused->isEnabled() && isAncestorOf(focused)) {
        focused->click();
        return;
    }
    for (QObject* child : children()) {
        auto* button = qobject_cast<QPushButton*>(child);
        WindowLink* link = button != nullptr ? WindowLink::From(button) : nullptr;
        if (link != nullptr && (link->Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            if (button->isEnabled()) {
                button->click();
            }
            return;
        }
    }
}

bool DialogWindow::HandleWindowKey(const QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) {
        return false;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        // A push button would otherwise take it as a press.
        ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
        return true;
    case Qt::Key_F4:
        // Where no window manager turns it into closing the window.
        SendToWnd(WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    default:
        return false;
    }
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && HandleWindowKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    if (HandleWindowKey(event)) {
        return;
    }
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Escape:
            SendToWnd(WM_COMMAND, CommandFrom(IDCANCEL), 0);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            PressDefaultButton();
            return;
        case Qt::Key_F1:
            SendToWnd(WM_COMMAND, MAKEWPARAM(WORD(ID_HELP), WORD(CN_COMMAND)), 0);
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    // The window goes only when the dialog ends; closing is a request.
    event->ignore();
    SendToWnd(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event)
{
    ShowSystemMenu(event->globalPos());
}

void DialogWindow::paintEvent(QPaintEvent*)
{
    m_painting = true;
    SendToWnd(WM_PAINT, 0, 0);
    m_painting = false;
}
