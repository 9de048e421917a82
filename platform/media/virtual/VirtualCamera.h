#pragma once
// A camera without hardware: streams the test pattern in its configured
// format, paced by the monotonic clock. It has one input and one format;
// SetFormat answers like a V4L2 driver that cannot scale: it keeps its own
// format and reports it, so a request for another size or pixel format
// comes back changed.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/media/CaptureDevice.h"
#include "platform/media/virtual/VirtualCameraConfig.h"

namespace media {

class VirtualCamera final : public CaptureDevice {
 public:
  explicit VirtualCamera(VirtualCameraConfig config) : m_config(std::move(config)) {}
  ~VirtualCamera() override;

  int GetFormat(VideoFormat& current) override;
  int SetFormat(const VideoFormat& wanted, VideoFormat& applied) override;
  std::vector<VideoInput> Inputs() override;
  int SelectInput(int index) override;
  // Frame n is due n frame periods after Start; its sequence number and the
  // number drawn into it are both n. A frame more than a period late is
  // skipped, as a real sensor would drop it, so the numbers stay on time.
  int Start(FrameHandler onFrame, EndHandler onEnd) override;
  void Stop() override;

 private:
  void Run(FrameHandler onFrame);
  bool WaitUntil(std::chrono::steady_clock::time_point deadline);

  const VirtualCameraConfig m_config;
  std::mutex m_startStop;
  std::thread m_thread;

  std::mutex m_waitMutex;
  std::condition_variable m_wake;
  bool m_stopping = false;  // under m_waitMutex
};

}  // namespace media
