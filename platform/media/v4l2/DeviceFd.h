#pragma once
// The one owner of an open device node: nothing else closes it.

#include <memory>
#include <utility>

#include "platform/media/v4l2/DeviceOps.h"

namespace media {

class DeviceFd {
 public:
  DeviceFd() = default;
  DeviceFd(std::shared_ptr<DeviceOps> ops, int fd) : m_ops(std::move(ops)), m_fd(fd) {}
  DeviceFd(DeviceFd&& other) noexcept
      : m_ops(std::move(other.m_ops)), m_fd(std::exchange(other.m_fd, -1)) {}
  DeviceFd& operator=(DeviceFd&& other) noexcept {
    if (this != &other) {
      Reset();
      m_ops = std::move(other.m_ops);
      m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
  }
  DeviceFd(const DeviceFd&) = delete;
  DeviceFd& operator=(const DeviceFd&) = delete;
  ~DeviceFd() { Reset(); }

  int Get() const { return m_fd; }
  bool Valid() const { return m_fd >= 0; }
  DeviceOps& Ops() const { return *m_ops; }
  const std::shared_ptr<DeviceOps>& OpsShared() const { return m_ops; }

  void Reset() {
    // close() is not retried on EINTR: on Linux the descriptor is gone either way.
    if (m_fd >= 0) m_ops->Close(m_fd);
    m_fd = -1;
  }

 private:
  std::shared_ptr<DeviceOps> m_ops;
  int m_fd = -1;
};

// Opens `path` through `ops`; an invalid DeviceFd and the errno on failure.
DeviceFd OpenDevice(std::shared_ptr<DeviceOps> ops, const char* path, int& err);

}  // namespace media
