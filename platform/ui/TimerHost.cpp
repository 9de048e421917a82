#include "platform/ui/TimerHost.h"

#include <QDateTime>
#include <QTimerEvent>
#include <algorithm>

#include "platform/ui/WindowLink.h"

namespace {
// The shortest period a window timer has.
constexpr UINT kMinimumElapse = 10;
}

TimerHost::~TimerHost()
{
    for (const auto& [id, timer] : m_timers) {
        killTimer(timer.qtId);
    }
}

void TimerHost::Start(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    Stop(nIDEvent);
    const int qtId = startTimer(int(std::max(nElapse, kMinimumElapse)), Qt::PreciseTimer);
    if (qtId != 0) {
        m_timers[nIDEvent] = Timer{qtId, lpfnTimer};
    }
}

bool TimerHost::Stop(UINT_PTR nIDEvent)
{
    const auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end()) {
        return false;
    }
    killTimer(it->second.qtId);
    m_timers.erase(it);
    return true;
}

void TimerHost::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, timer] : m_timers) {
        if (timer.qtId != event->timerId()) {
            continue;
        }
        const UINT_PTR nIDEvent = id;
        if (timer.proc != nullptr) {
            timer.proc(m_link->Widget(), WM_TIMER, nIDEvent,
                       DWORD(QDateTime::currentMSecsSinceEpoch()));
        } else if (CWnd* wnd = m_link->Wnd()) {
            wnd->SendMessage(WM_TIMER, nIDEvent, 0);
        }
        return;
    }
}
