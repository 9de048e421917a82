#pragma once
// What every widget made by the framework carries besides being a widget: its
// control id and styles, the CWnd it reports to, its icons, timers and (for
// controls that support it) the picture drawn through a window DC.
// Internal to the framework.

#include <QImage>
#include <QString>
#include <memory>

#include "platform/ui/WinDef.h"

class CWnd;
class CMenu;
class QWidget;
class TimerHost;

class WindowLink {
public:
    WindowLink(QWidget* self, int id, DWORD style);
    virtual ~WindowLink();
    WindowLink(const WindowLink&) = delete;
    WindowLink& operator=(const WindowLink&) = delete;

    static WindowLink* From(QWidget* widget);

    QWidget* Widget() const { return m_self; }
    int ControlId() const { return m_id; }
    DWORD Style() const { return m_style; }

    // The object the window reports to: the bound one, else the framework's
    // own wrapper. Null when neither exists.
    CWnd* Wnd() const { return m_pWnd; }
    // True while an object other than the framework's wrapper is bound.
    bool IsBound() const { return m_pWnd != nullptr && m_pWnd != m_wrapper.get(); }
    void SetWrapper(std::unique_ptr<CWnd> wrapper);
    void Bind(CWnd* pWnd);
    void Unbind(CWnd* pWnd);

    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
    // Client rectangle in the widget's coordinates.
    virtual QRect ClientArea() const;
    virtual CMenu* SystemMenu(bool /*revert*/) { return nullptr; }

    // Retained picture of the client area that a window DC draws into;
    // null when the window does not offer one. Made when first drawn into.
    virtual bool OffersRetainedPicture() const { return false; }
    virtual QImage* RetainedPicture() { return nullptr; }
    virtual void PictureChanged(const QRect& /*clientRect*/) {}

    HICON SetIcon(bool big, HICON icon);
    TimerHost& Timers();

    // True while the widget is inside its own paint event, the only time a
    // paint DC may draw on it.
    bool IsPainting() const { return m_painting; }

protected:
    void SendToWnd(UINT message, WPARAM wParam, LPARAM lParam);
    bool m_painting = false;

private:
    QWidget* m_self;
    int m_id;
    DWORD m_style;
    CWnd* m_pWnd = nullptr;
    std::unique_ptr<CWnd> m_wrapper;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    std::unique_ptr<TimerHost> m_timers;
};
