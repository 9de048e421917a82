#include "FakeV4l2.h"

#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/media/PixelFormats.h"

namespace fake {
namespace {

constexpr uint32_t kMaxBuffers = 8;

// Fills a fixed-size name field; a name of the field's full length is left
// without its NUL, as drivers may.
template <size_t N>
void CopyName(uint8_t (&field)[N], const std::string& name) {
  std::memset(field, 0, N);
  std::memcpy(field, name.data(), std::min(N, name.size()));
}

int Fail(int err) {
  errno = err;
  return -1;
}

}  // namespace

Device::Device() = default;

Device::~Device() {
  for (const auto& [fd, path] : m_open) ::close(fd);
}

void Device::AddNode(const std::string& path, Node node) {
  std::lock_guard lock(m_mutex);
  State state;
  state.node = std::move(node);
  m_nodes[path] = std::move(state);
}

void Device::Push(Frame frame) {
  std::lock_guard lock(m_mutex);
  m_frames.push_back(std::move(frame));
  Ring();
}

void Device::Unplug(enum Unplug how) {
  std::lock_guard lock(m_mutex);
  m_unplugged = true;
  m_unplug = how;
  Ring();
}

void Device::FailIoctl(unsigned long request, int err, int times) {
  std::lock_guard lock(m_mutex);
  m_ioctlFailures[request] = {err, times};
}

void Device::FailPoll(int err, int times) {
  std::lock_guard lock(m_mutex);
  m_pollErr = err;
  m_pollFailures = times;
}

void Device::FailMmapAt(int64_t index) {
  std::lock_guard lock(m_mutex);
  m_mmapFailAt = index;
}

bool Device::WaitForBlockedPoll() {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, std::chrono::seconds(10), [this] { return m_blockedInPoll; });
}

int Device::OpenCount() {
  std::lock_guard lock(m_mutex);
  return int(m_open.size());
}

int Device::MappedCount() {
  std::lock_guard lock(m_mutex);
  int mapped = 0;
  for (const auto& [path, state] : m_nodes)
    for (const Buffer& b : state.buffers) mapped += b.mapped;
  return mapped;
}

bool Device::Streaming(const std::string& path) {
  std::lock_guard lock(m_mutex);
  return m_nodes.at(path).streaming;
}

int Device::Calls(unsigned long request) {
  std::lock_guard lock(m_mutex);
  return m_calls[request];
}

int Device::SelectedInput(const std::string& path) {
  std::lock_guard lock(m_mutex);
  return m_nodes.at(path).input;
}

bool Device::PollWokenByOtherFd() {
  std::lock_guard lock(m_mutex);
  return m_wokenByOther;
}

uint32_t Device::BufferCount(const std::string& path) {
  std::lock_guard lock(m_mutex);
  return uint32_t(m_nodes.at(path).buffers.size());
}

Device::State* Device::StateOf(int fd) {
  auto open = m_open.find(fd);
  return open == m_open.end() ? nullptr : &m_nodes.at(open->second);
}

void Device::Ring() {
  const uint64_t one = 1;
  for (const auto& [fd, path] : m_open) (void)!::write(fd, &one, sizeof one);
}

int Device::Open(const char* path, int) {
  std::lock_guard lock(m_mutex);
  if (!m_nodes.count(path)) return Fail(ENOENT);
  const int fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (fd < 0) return -1;
  m_open[fd] = path;
  return fd;
}

int Device::Close(int fd) {
  std::lock_guard lock(m_mutex);
  if (!m_open.erase(fd)) return Fail(EBADF);
  return ::close(fd);
}

int Device::Ioctl(int fd, unsigned long request, void* arg) {
  std::lock_guard lock(m_mutex);
  ++m_calls[request];
  State* s = StateOf(fd);
  if (!s) return Fail(EBADF);
  if (auto f = m_ioctlFailures.find(request); f != m_ioctlFailures.end() && f->second.second > 0) {
    --f->second.second;
    return Fail(f->second.first);
  }
  if (m_unplugged) return Fail(ENODEV);
  const int err = Handle(*s, request, arg);
  if (err) return Fail(err);
  Ring();
  return 0;
}

void Device::FillFormat(const State& s, v4l2_pix_format& pix) const {
  pix = v4l2_pix_format{};
  pix.pixelformat = s.node.fourcc;
  pix.width = uint32_t(s.node.width);
  pix.height = uint32_t(s.node.height);
  pix.field = V4L2_FIELD_NONE;
  const uint32_t line = media::LineBytes(s.node.fourcc, s.node.width);
  pix.bytesperline = line ? line + s.node.linePadding : 0;
  pix.sizeimage = line ? pix.bytesperline * pix.height : uint32_t(s.node.width * s.node.height * 2);
}

int Device::SetFormat(State& s, v4l2_format& fmt) {
  if (s.streaming || !s.buffers.empty()) return EBUSY;
  v4l2_pix_format& pix = fmt.fmt.pix;
  const auto& formats = s.node.formats;
  s.node.fourcc = std::find(formats.begin(), formats.end(), pix.pixelformat) != formats.end()
                      ? pix.pixelformat
                      : formats.front();
  // Like a driver that cannot scale: the nearest size it has.
  auto distance = [&](const std::pair<int, int>& size) {
    return std::abs(size.first - int(pix.width)) + std::abs(size.second - int(pix.height));
  };
  const auto nearest = std::min_element(s.node.sizes.begin(), s.node.sizes.end(),
                                        [&](auto& a, auto& b) { return distance(a) < distance(b); });
  s.node.width = nearest->first;
  s.node.height = nearest->second;
  FillFormat(s, pix);
  return 0;
}

int Device::Handle(State& s, unsigned long request, void* arg) {
  switch (request) {
    case VIDIOC_QUERYCAP: {
      auto& cap = *static_cast<v4l2_capability*>(arg);
      cap = v4l2_capability{};
      CopyName(cap.card, s.node.card);
      // The whole device can do more than this node.
      cap.capabilities = V4L2_CAP_DEVICE_CAPS | V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE |
                         V4L2_CAP_STREAMING;
      cap.device_caps = s.node.deviceCaps;
      return 0;
    }
    case VIDIOC_G_FMT: {
      auto& fmt = *static_cast<v4l2_format*>(arg);
      if (fmt.type != V4L2_BUF_TYPE_VIDEO_CAPTURE) return EINVAL;
      FillFormat(s, fmt.fmt.pix);
      return 0;
    }
    case VIDIOC_S_FMT: {
      auto& fmt = *static_cast<v4l2_format*>(arg);
      if (fmt.type != V4L2_BUF_TYPE_VIDEO_CAPTURE) return EINVAL;
      return SetFormat(s, fmt);
    }
    case VIDIOC_ENUM_FMT: {
      auto& desc = *static_cast<v4l2_fmtdesc*>(arg);
      if (desc.index >= s.node.formats.size()) return EINVAL;
      desc.pixelformat = s.node.formats[desc.index];
      return 0;
    }
    case VIDIOC_G_PARM: {
      auto& parm = *static_cast<v4l2_streamparm*>(arg);
      parm.parm.capture.capability = V4L2_CAP_TIMEPERFRAME;
      parm.parm.capture.timeperframe = {1, 30};
      return 0;
    }
    case VIDIOC_ENUMINPUT: {
      auto& input = *static_cast<v4l2_input*>(arg);
      if (input.index >= s.node.inputs.size()) return EINVAL;
      const auto& [name, type] = s.node.inputs[input.index];
      CopyName(input.name, name);
      input.type = type;
      return 0;
    }
    case VIDIOC_S_INPUT: {
      const int index = *static_cast<int*>(arg);
      if (index < 0 || size_t(index) >= s.node.inputs.size()) return EINVAL;
      s.input = index;
      return 0;
    }
    case VIDIOC_REQBUFS: {
      auto& req = *static_cast<v4l2_requestbuffers*>(arg);
      if (req.memory != V4L2_MEMORY_MMAP) return EINVAL;
      if (s.streaming) return EBUSY;
      for (const Buffer& b : s.buffers)
        if (b.mapped) return EBUSY;  // as vb2 does: buffers still mapped cannot be freed
      v4l2_pix_format pix;
      FillFormat(s, pix);
      s.buffers.assign(std::min(req.count, kMaxBuffers), Buffer{});
      for (Buffer& b : s.buffers) b.memory.assign(pix.sizeimage, 0);
      s.queue.clear();
      req.count = uint32_t(s.buffers.size());
      return 0;
    }
    case VIDIOC_QUERYBUF: {
      auto& buf = *static_cast<v4l2_buffer*>(arg);
      if (buf.index >= s.buffers.size()) return EINVAL;
      buf.length = uint32_t(s.buffers[buf.index].memory.size());
      buf.m.offset = buf.index << 16;
      return 0;
    }
    case VIDIOC_QBUF: {
      auto& buf = *static_cast<v4l2_buffer*>(arg);
      if (buf.index >= s.buffers.size() || s.buffers[buf.index].queued) return EINVAL;
      s.buffers[buf.index].queued = true;
      s.queue.push_back(buf.index);
      return 0;
    }
    case VIDIOC_DQBUF: {
      auto& buf = *static_cast<v4l2_buffer*>(arg);
      if (!s.streaming) return EINVAL;
      if (!Ready(s)) return EAGAIN;
      Frame frame = std::move(m_frames.front());
      m_frames.pop_front();
      const uint32_t index = s.queue.front();
      s.queue.pop_front();
      Buffer& b = s.buffers[index];
      b.queued = false;
      std::memcpy(b.memory.data(), frame.bytes.data(), std::min(frame.bytes.size(), b.memory.size()));
      buf.index = frame.index >= 0 ? uint32_t(frame.index) : index;
      buf.sequence = frame.sequence;
      buf.flags = frame.flags;
      buf.bytesused = frame.bytesUsed >= 0 ? uint32_t(frame.bytesUsed) : uint32_t(frame.bytes.size());
      buf.length = uint32_t(b.memory.size());
      return 0;
    }
    case VIDIOC_STREAMON:
      if (s.buffers.empty()) return EINVAL;
      s.streaming = true;
      return 0;
    case VIDIOC_STREAMOFF:
      s.streaming = false;
      for (Buffer& b : s.buffers) b.queued = false;
      s.queue.clear();
      return 0;
    default:
      return ENOTTY;
  }
}

void* Device::Mmap(size_t length, int fd, off_t offset) {
  std::lock_guard lock(m_mutex);
  State* s = StateOf(fd);
  const uint32_t index = uint32_t(offset >> 16);
  if (!s || index >= s->buffers.size() || length != s->buffers[index].memory.size()) {
    errno = EINVAL;
    return MAP_FAILED;
  }
  if (int64_t(index) == m_mmapFailAt) {
    errno = ENOMEM;
    return MAP_FAILED;
  }
  s->buffers[index].mapped = true;
  return s->buffers[index].memory.data();
}

int Device::Munmap(void* addr, size_t length) {
  std::lock_guard lock(m_mutex);
  for (auto& [path, state] : m_nodes) {
    for (Buffer& b : state.buffers) {
      if (b.mapped && b.memory.data() == addr && b.memory.size() == length) {
        b.mapped = false;
        return 0;
      }
    }
  }
  return Fail(EINVAL);
}

bool Device::Ready(const State& s) const {
  return s.streaming && !m_frames.empty() && !s.queue.empty();
}

short Device::Events(int fd) {
  State* s = StateOf(fd);
  if (m_unplugged) return m_unplug == Unplug::PollError ? short(POLLERR | POLLHUP) : short(POLLIN);
  if (!s->streaming) return POLLERR;  // as vb2 answers a queue that is not streaming
  return Ready(*s) ? short(POLLIN) : short(0);
}

int Device::Poll(pollfd* fds, nfds_t count, int timeoutMs) {
  auto settle = [&](bool woke) {
    int ready = 0;
    for (nfds_t i = 0; i < count; ++i) {
      if (m_open.count(fds[i].fd)) {
        uint64_t drained;
        (void)!::read(fds[i].fd, &drained, sizeof drained);
        fds[i].revents = Events(fds[i].fd);
      } else if (woke && fds[i].revents) {
        m_wokenByOther = true;
      }
      ready += fds[i].revents != 0;
    }
    return ready;
  };
  {
    std::lock_guard lock(m_mutex);
    if (m_pollFailures > 0) {
      --m_pollFailures;
      return Fail(m_pollErr);
    }
    for (nfds_t i = 0; i < count; ++i) fds[i].revents = 0;
    if (const int ready = settle(false); ready > 0) return ready;
    m_blockedInPoll = true;
    m_changed.notify_all();
  }
  // Every state change rings the fake descriptors, so this wakes for the
  // device as it does for any other descriptor in the set.
  const int result = ::poll(fds, count, timeoutMs);
  std::lock_guard lock(m_mutex);
  m_blockedInPoll = false;
  if (result < 0) return -1;
  return settle(true);
}

}  // namespace fake
