#pragma once
// The window timers of one window, on Qt's precise timers. Ticks are
// delivered by whatever event loop runs, so they keep coming inside nested
// modal loops. Internal to the framework.

#include <QObject>
#include <map>

#include "platform/ui/Wnd.h"

class WindowLink;

class TimerHost : public QObject {
public:
    explicit TimerHost(WindowLink* link) : m_link(link) {}
    ~TimerHost() override;

    void Start(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    bool Stop(UINT_PTR nIDEvent);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Timer {
        int qtId;
        TIMERPROC proc;
    };
    WindowLink* m_link;
    std::map<UINT_PTR, Timer> m_timers;
};
