#include "platform/ui/WindowLink.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include "platform/ui/GdiHandles.h"
#include "platform/ui/TimerHost.h"
#include "platform/ui/Wnd.h"

WindowLink::WindowLink(QWidget* self, int id, DWORD style) : m_self(self), m_id(id), m_style(style) {}

WindowLink::~WindowLink()
{
    // The window is going: the objects that pointed at it must not any more.
    m_timers.reset();
    if (m_pWnd != nullptr) {
        m_pWnd->m_hWnd = nullptr;
    }
    if (m_wrapper != nullptr) {
        m_wrapper->m_hWnd = nullptr;
    }
}

WindowLink* WindowLink::From(QWidget* widget)
{
    return dynamic_cast<WindowLink*>(widget);
}

void WindowLink::SetWrapper(std::unique_ptr<CWnd> wrapper)
{
    m_wrapper = std::move(wrapper);
    m_wrapper->m_hWnd = m_self;
    if (m_pWnd == nullptr) {
        m_pWnd = m_wrapper.get();
    }
}

void WindowLink::Bind(CWnd* pWnd)
{
    m_pWnd = pWnd;
    pWnd->m_hWnd = m_self;
}

void WindowLink::Unbind(CWnd* pWnd)
{
    if (m_pWnd == pWnd) {
        m_pWnd = m_wrapper.get();
    }
}

QRect WindowLink::ClientArea() const
{
    return m_self->rect();
}

HICON WindowLink::SetIcon(bool big, HICON icon)
{
    HICON& slot = big ? m_bigIcon : m_smallIcon;
    HICON previous = slot;
    slot = icon;
    QIcon windowIcon;
    for (HICON h : {m_bigIcon, m_smallIcon}) {
        if (h != nullptr && !h->image.isNull()) {
            windowIcon.addPixmap(QPixmap::fromImage(h->image));
        }
    }
    m_self->setWindowIcon(windowIcon);
    return previous;
}

TimerHost& WindowLink::Timers()
{
    if (m_timers == nullptr) {
        m_timers = std::make_unique<TimerHost>(this);
    }
    return *m_timers;
}

void WindowLink::SendToWnd(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pWnd != nullptr) {
        m_pWnd->SendMessage(message, wParam, lParam);
    }
}
