#include "platform/media/v4l2/MappedBuffers.h"

#include <sys/mman.h>

#include <cerrno>

#include "platform/media/v4l2/Xioctl.h"

namespace media {

int MappedBuffers::Create(DeviceOps& ops, int fd, uint32_t count,
                          std::unique_ptr<MappedBuffers>& out) {
  out.reset();
  std::unique_ptr<MappedBuffers> set(new MappedBuffers(ops, fd));
  v4l2_requestbuffers request{};
  request.count = count;
  request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  request.memory = V4L2_MEMORY_MMAP;
  if (int err = MEDIA_IOCTL(ops, fd, VIDIOC_REQBUFS, &request)) return err;
  set->m_requested = true;
  if (request.count == 0) return ENOMEM;

  for (uint32_t i = 0; i < request.count; ++i) {
    v4l2_buffer buf{};
    buf.index = i;
    buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    buf.memory = V4L2_MEMORY_MMAP;
    if (int err = MEDIA_IOCTL(ops, fd, VIDIOC_QUERYBUF, &buf)) return err;
    if (buf.length == 0) return EINVAL;
    void* data = ops.Mmap(buf.length, fd, off_t(buf.m.offset));
    if (data == MAP_FAILED) {
      const int err = errno;
      LogDeviceError("mmap", err);
      return err;
    }
    set->m_buffers.push_back({static_cast<uint8_t*>(data), buf.length, false});
  }
  out = std::move(set);
  return 0;
}

MappedBuffers::~MappedBuffers() {
  for (const Buffer& buffer : m_buffers) m_ops.Munmap(buffer.data, buffer.length);
  if (m_requested) {
    // Frees the driver's buffers; an unplugged device says ENODEV, which is fine.
    v4l2_requestbuffers request{};
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    MEDIA_IOCTL(m_ops, m_fd, VIDIOC_REQBUFS, &request, ENODEV);
  }
}

int MappedBuffers::Queue(uint32_t index) {
  if (index >= m_buffers.size() || m_buffers[index].queued) return EINVAL;
  v4l2_buffer buf{};
  buf.index = index;
  buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  buf.memory = V4L2_MEMORY_MMAP;
  if (int err = MEDIA_IOCTL(m_ops, m_fd, VIDIOC_QBUF, &buf)) return err;
  m_buffers[index].queued = true;
  return 0;
}

int MappedBuffers::QueueAll() {
  for (uint32_t i = 0; i < m_buffers.size(); ++i) {
    if (m_buffers[i].queued) continue;
    if (int err = Queue(i)) return err;
  }
  return 0;
}

int MappedBuffers::Dequeue(v4l2_buffer& buf) {
  buf = v4l2_buffer{};
  buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  buf.memory = V4L2_MEMORY_MMAP;
  if (int err = MEDIA_IOCTL(m_ops, m_fd, VIDIOC_DQBUF, &buf, EAGAIN)) return err;
  if (buf.index >= m_buffers.size()) {
    LogDeviceError("VIDIOC_DQBUF returned a buffer index out of range", EINVAL);
    return EINVAL;
  }
  m_buffers[buf.index].queued = false;
  return 0;
}

void MappedBuffers::MarkAllDequeued() {
  for (Buffer& buffer : m_buffers) buffer.queued = false;
}

}  // namespace media
