#pragma once
// Collects what a CaptureDevice hands its handlers, for tests on another
// thread. Waits are bounded; a test that times out fails, it never hangs.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/media/CaptureDevice.h"

struct ReceivedFrame {
  std::vector<uint8_t> bytes;
  uint64_t sequence = 0;
};

class FrameSink {
 public:
  media::CaptureDevice::FrameHandler OnFrame() {
    return [this](const media::FrameView& view) {
      std::lock_guard lock(m_mutex);
      m_frames.push_back({std::vector<uint8_t>(view.data, view.data + view.bytes), view.sequence});
      m_changed.notify_all();
    };
  }
  media::CaptureDevice::EndHandler OnEnd() {
    return [this](int err) {
      std::lock_guard lock(m_mutex);
      m_ends.push_back(err);
      m_changed.notify_all();
    };
  }

  bool WaitForFrames(size_t count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kLimit, [&] { return m_frames.size() >= count; });
  }
  bool WaitForEnd() {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kLimit, [&] { return !m_ends.empty(); });
  }
  std::vector<ReceivedFrame> Frames() {
    std::lock_guard lock(m_mutex);
    return m_frames;
  }
  std::vector<int> Ends() {
    std::lock_guard lock(m_mutex);
    return m_ends;
  }

 private:
  static constexpr std::chrono::seconds kLimit{10};
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<ReceivedFrame> m_frames;
  std::vector<int> m_ends;
};
