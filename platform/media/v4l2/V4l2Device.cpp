#include "platform/media/v4l2/V4l2Device.h"

#include <cstdio>
#include <cstring>

#include "platform/media/PixelFormats.h"
#include "platform/media/v4l2/Xioctl.h"

namespace media {

int QueryNode(DeviceOps& ops, int fd, NodeInfo& info) {
  v4l2_capability cap{};
  // Not logged: nodes that are no V4L2 device at all answer ENOTTY.
  if (int err = MEDIA_IOCTL(ops, fd, VIDIOC_QUERYCAP, &cap, ENOTTY)) return err;
  // device_caps describes this node; capabilities covers every node of the
  // device (a camera's metadata node claims video capture there too).
  const uint32_t caps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
  info.capture = (caps & V4L2_CAP_VIDEO_CAPTURE) != 0;
  info.streaming = (caps & V4L2_CAP_STREAMING) != 0;
  const char* card = reinterpret_cast<const char*>(cap.card);
  info.card.assign(card, strnlen(card, sizeof cap.card));
  return 0;
}

std::unique_ptr<V4l2Device> V4l2Device::Open(std::shared_ptr<DeviceOps> ops,
                                             const std::string& path) {
  int err = 0;
  DeviceFd fd = OpenDevice(std::move(ops), path.c_str(), err);
  if (!fd.Valid()) {
    LogDeviceError(("open " + path).c_str(), err);
    return nullptr;
  }
  NodeInfo info;
  if (QueryNode(fd.Ops(), fd.Get(), info) != 0) return nullptr;
  if (!info.capture || !info.streaming) {
    std::fprintf(stderr, "morvane: %s: not a streaming video capture node\n", path.c_str());
    return nullptr;
  }
  std::unique_ptr<V4l2Device> device(new V4l2Device(std::move(fd), path));
  device->PreferConvertibleFormat();
  return device;
}

V4l2Device::~V4l2Device() { Stop(); }

int V4l2Device::Start(FrameHandler onFrame, EndHandler onEnd) {
  std::lock_guard lock(m_mutex);
  if (Streaming()) return EBUSY;
  if (m_stream) ClearStream();  // the last stream ended by itself
  VideoFormat format;
  if (int err = GetFormat(format)) return err;
  return V4l2Stream::Start(this, m_fd.OpsShared(), m_fd.Get(), LeastFrameBytes(format),
                           std::move(onFrame), std::move(onEnd), m_stream);
}

void V4l2Device::Stop() {
  // From a handler the stream is alive (its thread is running us), and the
  // mutex may be held by a Stop joining that very thread, or by the Start
  // that has not returned yet.
  if (V4l2Stream* here = V4l2Stream::RunningHere(); here && here->Owner() == this) {
    here->Stop();
    return;
  }
  std::lock_guard lock(m_mutex);
  if (m_stream) ClearStream();
}

void V4l2Device::ClearStream() {
  m_stream->Stop();
  m_lastStats = m_stream->Stats();
  if (m_lastStats.lost || m_lastStats.rejected) {
    std::fprintf(stderr, "morvane: %s: %llu frames delivered, %llu lost, %llu rejected\n",
                 m_path.c_str(), (unsigned long long)m_lastStats.delivered,
                 (unsigned long long)m_lastStats.lost, (unsigned long long)m_lastStats.rejected);
  }
  m_stream.reset();
}

StreamStats V4l2Device::Stats() {
  std::lock_guard lock(m_mutex);
  return m_stream ? m_stream->Stats() : m_lastStats;
}

}  // namespace media
