#pragma once
// The driver's capture buffers, mapped into our memory. Made whole by
// Create or not at all; the destructor unmaps whatever was mapped and gives
// the buffers back to the driver.

#include <linux/videodev2.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/v4l2/DeviceOps.h"

namespace media {

class MappedBuffers {
 public:
  // Asks the driver for `count` buffers on `fd`, maps them all. 0 and the set
  // in `out`, or the errno (ENOMEM when the driver grants none).
  static int Create(DeviceOps& ops, int fd, uint32_t count, std::unique_ptr<MappedBuffers>& out);
  ~MappedBuffers();
  MappedBuffers(const MappedBuffers&) = delete;
  MappedBuffers& operator=(const MappedBuffers&) = delete;

  size_t Count() const { return m_buffers.size(); }
  const uint8_t* Data(uint32_t index) const { return m_buffers[index].data; }
  size_t Length(uint32_t index) const { return m_buffers[index].length; }
  bool Queued(uint32_t index) const { return m_buffers[index].queued; }

  // Hands buffer `index` to the driver. 0 or the errno.
  int Queue(uint32_t index);
  int QueueAll();
  // Takes a filled buffer back. 0 with `buf` filled, EAGAIN when none is
  // ready, or the errno. `buf.index` is checked against the set.
  int Dequeue(v4l2_buffer& buf);
  // The driver returns every buffer on STREAMOFF.
  void MarkAllDequeued();

 private:
  struct Buffer {
    uint8_t* data = nullptr;
    size_t length = 0;
    bool queued = false;
  };
  MappedBuffers(DeviceOps& ops, int fd) : m_ops(ops), m_fd(fd) {}

  DeviceOps& m_ops;
  int m_fd;
  bool m_requested = false;
  std::vector<Buffer> m_buffers;
};

}  // namespace media
