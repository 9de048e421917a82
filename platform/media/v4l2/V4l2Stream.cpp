#include "platform/media/v4l2/V4l2Stream.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include "platform/media/v4l2/Xioctl.h"

namespace media {
namespace {

// Enough to ride out a slow consumer without making the driver drop frames.
constexpr uint32_t kBufferCount = 4;
// The loop wakes at least this often even when the device says nothing
// (an analogue input without signal), so no wait is unbounded.
constexpr int kPollTimeoutMs = 1000;

thread_local V4l2Stream* t_running = nullptr;

}  // namespace

V4l2Stream::V4l2Stream(const void* owner, std::shared_ptr<DeviceOps> ops, int fd,
                       uint32_t frameBytes, CaptureDevice::FrameHandler onFrame,
                       CaptureDevice::EndHandler onEnd)
    : m_owner(owner),
      m_ops(std::move(ops)),
      m_fd(fd),
      m_frameBytes(frameBytes),
      m_onFrame(std::move(onFrame)),
      m_onEnd(std::move(onEnd)) {}

int V4l2Stream::Start(const void* owner, std::shared_ptr<DeviceOps> ops, int fd,
                      uint32_t frameBytes, CaptureDevice::FrameHandler onFrame,
                      CaptureDevice::EndHandler onEnd, std::unique_ptr<V4l2Stream>& out) {
  out.reset();
  // On any failure below the half-made stream's destructor gives back what it took.
  std::unique_ptr<V4l2Stream> stream(new V4l2Stream(owner, std::move(ops), fd, frameBytes,
                                                    std::move(onFrame), std::move(onEnd)));
  if (int err = stream->m_wake.Create()) {
    LogDeviceError("eventfd", err);
    return err;
  }
  if (int err = MappedBuffers::Create(*stream->m_ops, fd, kBufferCount, stream->m_buffers))
    return err;
  if (int err = stream->m_buffers->QueueAll()) return err;
  int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (int err = MEDIA_IOCTL(*stream->m_ops, fd, VIDIOC_STREAMON, &type)) return err;
  stream->m_streaming = true;
  // The layer reports by code: a thread the system will not give is EAGAIN,
  // and the half-made stream gives everything back.
  try {
    stream->m_thread = std::thread(&V4l2Stream::Run, stream.get());
  } catch (const std::system_error& e) {
    return e.code().value() ? e.code().value() : EAGAIN;
  }
  out = std::move(stream);
  return 0;
}

void V4l2Stream::Stop() {
  m_stopping = true;
  // From a handler the loop ends once it returns; the thread object itself
  // may not even be stored yet when the first frame is handled.
  if (t_running == this) return;
  if (m_thread.joinable()) {
    m_wake.Signal();
    m_thread.join();
  }
  Teardown();
}

void V4l2Stream::Teardown() {
  if (m_streaming) {
    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    MEDIA_IOCTL(*m_ops, m_fd, VIDIOC_STREAMOFF, &type, ENODEV);
    m_streaming = false;
    // STREAMOFF hands every buffer back, whether or not the call got through.
    if (m_buffers) m_buffers->MarkAllDequeued();
  }
  m_buffers.reset();
  m_wake.Reset();
}

V4l2Stream* V4l2Stream::RunningHere() { return t_running; }

StreamStats V4l2Stream::Stats() const { return {m_delivered, m_lost, m_rejected}; }

void V4l2Stream::Run() {
  t_running = this;
  while (!m_stopping) {
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake.Fd(), POLLIN, 0}};
    const int ready = m_ops->Poll(fds, 2, kPollTimeoutMs);
    if (ready == -1) {
      if (errno == EINTR) continue;
      const int err = errno;
      LogDeviceError("poll", err);
      return End(err);
    }
    if (fds[1].revents != 0 || m_stopping) return;
    if (ready == 0) continue;
    // A V4L2 node reports an error on poll once its device is gone.
    if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) return End(ENODEV);
    if (fds[0].revents & POLLIN) {
      if (int err = TakeFrame()) return End(err);
    }
  }
}

int V4l2Stream::TakeFrame() {
  v4l2_buffer buf;
  const int err = m_buffers->Dequeue(buf);
  if (err == EAGAIN) return 0;
  if (err == EIO) {
    // A transient fault (signal loss); the driver keeps or drops the buffer itself.
    ++m_rejected;
    return 0;
  }
  if (err) return err;
  CountSequence(buf.sequence);
  if (Acceptable(buf)) {
    ++m_delivered;
    if (m_onFrame) m_onFrame(FrameView{m_buffers->Data(buf.index), buf.bytesused, buf.sequence});
  } else {
    ++m_rejected;
  }
  return m_buffers->Queue(buf.index);
}

bool V4l2Stream::Acceptable(const v4l2_buffer& buf) const {
  if (buf.flags & V4L2_BUF_FLAG_ERROR) return false;
  if (buf.bytesused == 0 || buf.bytesused > m_buffers->Length(buf.index)) return false;
  return buf.bytesused >= m_frameBytes;
}

void V4l2Stream::CountSequence(uint32_t sequence) {
  if (m_haveSequence && sequence > m_lastSequence + 1) m_lost += sequence - m_lastSequence - 1;
  m_haveSequence = true;
  m_lastSequence = sequence;
}

void V4l2Stream::End(int err) {
  m_ended = true;
  if (!m_stopping && m_onEnd) m_onEnd(err);
}

}  // namespace media
