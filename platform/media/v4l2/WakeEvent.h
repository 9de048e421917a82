#pragma once
// An eventfd that wakes a thread blocked in poll. Owns its descriptor.

namespace media {

class WakeEvent {
 public:
  WakeEvent() = default;
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;
  ~WakeEvent() { Reset(); }

  // 0 or the errno.
  int Create();
  void Reset();
  // Makes the descriptor readable until Reset; safe from any thread.
  void Signal() const;
  int Fd() const { return m_fd; }

 private:
  int m_fd = -1;
};

}  // namespace media
