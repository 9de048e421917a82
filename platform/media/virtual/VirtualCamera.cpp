#include "platform/media/virtual/VirtualCamera.h"

#include <cerrno>
#include <chrono>
#include <system_error>
#include <vector>

#include <opencv2/core.hpp>

#include "platform/media/PixelFormats.h"
#include "platform/media/virtual/FrameEncoder.h"
#include "platform/media/virtual/TestPattern.h"

namespace media {
namespace {

using Clock = std::chrono::steady_clock;

// The camera whose streaming thread is the calling one: set as the thread's
// first step, so a handler's Stop is known as such even before Start returns.
thread_local const VirtualCamera* t_streaming = nullptr;

// When frame `n` is due: computed from the start each time, so rounding
// never adds up into drift.
Clock::time_point Due(Clock::time_point start, uint64_t n, int fps) {
  return start + std::chrono::nanoseconds(n * 1'000'000'000ULL / uint64_t(fps));
}

// The frame whose period contains `now`.
uint64_t FrameAt(Clock::time_point start, Clock::time_point now, int fps) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - start).count();
  return elapsed <= 0 ? 0 : uint64_t(elapsed) * uint64_t(fps) / 1'000'000'000ULL;
}

}  // namespace

VirtualCamera::~VirtualCamera() { Stop(); }

int VirtualCamera::GetFormat(VideoFormat& current) {
  current = VideoFormat{};
  current.fourcc = m_config.fourcc;
  current.width = m_config.width;
  current.height = m_config.height;
  current.bytesPerLine = LineBytes(m_config.fourcc, m_config.width);
  // A JPEG of the test pattern stays well below two bytes a pixel.
  current.sizeImage = current.bytesPerLine
                          ? FrameBytes(m_config.fourcc, m_config.width, m_config.height)
                          : uint32_t(m_config.width * m_config.height * 2);
  current.intervalNumerator = 1;
  current.intervalDenominator = uint32_t(m_config.fps);
  return 0;
}

int VirtualCamera::SetFormat(const VideoFormat&, VideoFormat& applied) { return GetFormat(applied); }

std::vector<VideoInput> VirtualCamera::Inputs() { return {{"Camera", kPhysVideoParallelDigital}}; }

int VirtualCamera::SelectInput(int index) { return index == 0 ? 0 : EINVAL; }

int VirtualCamera::Start(FrameHandler onFrame, EndHandler) {
  std::lock_guard lock(m_startStop);
  if (m_thread.joinable()) return EBUSY;
  {
    std::lock_guard wait(m_waitMutex);
    m_stopping = false;
  }
  // The layer reports by code: a thread the system will not give is EAGAIN.
  try {
    m_thread = std::thread(&VirtualCamera::Run, this, std::move(onFrame));
  } catch (const std::system_error& e) {
    return e.code().value() ? e.code().value() : EAGAIN;
  }
  return 0;
}

void VirtualCamera::Stop() {
  {
    std::lock_guard wait(m_waitMutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  // From a frame handler: the loop ends after it returns; a later Stop joins.
  if (t_streaming == this) return;
  std::lock_guard lock(m_startStop);
  if (m_thread.joinable()) m_thread.join();
}

bool VirtualCamera::WaitUntil(Clock::time_point deadline) {
  std::unique_lock lock(m_waitMutex);
  return !m_wake.wait_until(lock, deadline, [this] { return m_stopping; });
}

void VirtualCamera::Run(FrameHandler onFrame) {
  t_streaming = this;
  cv::Mat picture(m_config.height, m_config.width, CV_8UC3);
  std::vector<uint8_t> frame;
  const Clock::time_point start = Clock::now();
  for (uint64_t n = 0;; ++n) {
    if (!WaitUntil(Due(start, n, m_config.fps))) return;
    DrawTestPattern(picture, uint32_t(n));
    if (EncodeFrame(picture, m_config.fourcc, frame) && onFrame)
      onFrame(FrameView{frame.data(), frame.size(), n});
    // Behind by a whole period or more: go on with the frame due now.
    const uint64_t current = FrameAt(start, Clock::now(), m_config.fps);
    if (current > n + 1) n = current - 1;
  }
}

}  // namespace media
