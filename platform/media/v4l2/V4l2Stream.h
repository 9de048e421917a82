#pragma once
// One streaming session of a V4L2 device: mapped buffers, STREAMON, and a
// thread that waits in poll, checks every dequeued buffer, hands it to the
// frame handler and queues it again. Stop (or the destructor) wakes the
// thread through an eventfd, joins it and gives everything back.

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "platform/media/CaptureDevice.h"
#include "platform/media/v4l2/DeviceOps.h"
#include "platform/media/v4l2/MappedBuffers.h"
#include "platform/media/v4l2/WakeEvent.h"

namespace media {

struct StreamStats {
  uint64_t delivered = 0;
  uint64_t lost = 0;      // gaps in the driver's sequence numbers
  uint64_t rejected = 0;  // buffers flagged bad, empty, oversized or short
};

class V4l2Stream {
 public:
  // Starts streaming on the open device `fd` for `owner`. `frameBytes` is
  // the least a whole frame has (0 for compressed formats, whose frames
  // vary). 0 and the running stream in `out`, or the errno with everything
  // given back.
  static int Start(const void* owner, std::shared_ptr<DeviceOps> ops, int fd, uint32_t frameBytes,
                   CaptureDevice::FrameHandler onFrame, CaptureDevice::EndHandler onEnd,
                   std::unique_ptr<V4l2Stream>& out);
  ~V4l2Stream() { Stop(); }
  V4l2Stream(const V4l2Stream&) = delete;
  V4l2Stream& operator=(const V4l2Stream&) = delete;

  // Idempotent. From a handler on the streaming thread it only asks the loop
  // to end; the next Stop from another thread finishes the job. The stream
  // must not be destroyed from its own handlers.
  void Stop();
  // The stream whose thread is the calling one (null elsewhere): known from
  // the thread's first instruction, before Start has even returned.
  static V4l2Stream* RunningHere();
  const void* Owner() const { return m_owner; }
  // True once the stream ended by itself (the device went away).
  bool Ended() const { return m_ended; }
  StreamStats Stats() const;

 private:
  V4l2Stream(const void* owner, std::shared_ptr<DeviceOps> ops, int fd, uint32_t frameBytes,
             CaptureDevice::FrameHandler onFrame, CaptureDevice::EndHandler onEnd);
  void Run();
  // 0 when the loop goes on, otherwise the errno that ends the stream.
  int TakeFrame();
  bool Acceptable(const v4l2_buffer& buf) const;
  void CountSequence(uint32_t sequence);
  void End(int err);
  void Teardown();

  const void* m_owner;
  std::shared_ptr<DeviceOps> m_ops;
  int m_fd;
  uint32_t m_frameBytes;
  CaptureDevice::FrameHandler m_onFrame;
  CaptureDevice::EndHandler m_onEnd;

  WakeEvent m_wake;
  std::unique_ptr<MappedBuffers> m_buffers;
  bool m_streaming = false;
  std::thread m_thread;
  std::atomic<bool> m_stopping{false};
  std::atomic<bool> m_ended{false};

  bool m_haveSequence = false;
  uint32_t m_lastSequence = 0;
  std::atomic<uint64_t> m_delivered{0}, m_lost{0}, m_rejected{0};
};

}  // namespace media
