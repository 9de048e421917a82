#pragma once
// The local clock, read once per recording for its folder and file names.

#include <ctime>
#include <functional>

namespace os {

// Fills `out` with the current local date and time, from one reading of the
// clock. Returns false, leaving `out` untouched, when the local time cannot
// be worked out.
bool LocalTimeNow(std::tm& out);

// Replaces the clock for tests: LocalTimeNow() calls `clock` instead and
// returns its result. Clear to go back to the real clock.
void SetClockForTesting(std::function<bool(std::tm&)> clock);
void ClearClockForTesting();

}  // namespace os
