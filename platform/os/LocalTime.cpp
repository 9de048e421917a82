#include "platform/os/LocalTime.h"

#include <mutex>
#include <utility>

namespace os {
namespace {

std::mutex g_clockMutex;
std::function<bool(std::tm&)> g_testClock;

}  // namespace

bool LocalTimeNow(std::tm& out)
{
    std::function<bool(std::tm&)> clock;
    {
        std::lock_guard lock(g_clockMutex);
        clock = g_testClock;
    }
    if (clock) {
        return clock(out);
    }
    const std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1)) {
        return false;
    }
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return false;
    }
    out = local;
    return true;
}

void SetClockForTesting(std::function<bool(std::tm&)> clock)
{
    std::lock_guard lock(g_clockMutex);
    g_testClock = std::move(clock);
}

void ClearClockForTesting()
{
    std::lock_guard lock(g_clockMutex);
    g_testClock = nullptr;
}

}  // namespace os
