#pragma once
// The system calls the V4L2 code makes on a device node. Tests put a fake
// device behind this seam; everything above it runs unchanged. Each call
// behaves like its POSIX namesake: failure is -1 (MAP_FAILED for Mmap) with
// errno set.

#include <poll.h>
#include <sys/types.h>

#include <cstddef>
#include <memory>

namespace media {

class DeviceOps {
 public:
  virtual ~DeviceOps() = default;
  virtual int Open(const char* path, int flags) = 0;
  virtual int Close(int fd) = 0;
  virtual int Ioctl(int fd, unsigned long request, void* arg) = 0;
  // A shared read-write mapping of `length` bytes at `offset` of the device.
  virtual void* Mmap(size_t length, int fd, off_t offset) = 0;
  virtual int Munmap(void* addr, size_t length) = 0;
  // `fds` may hold other descriptors besides device nodes (the stop event).
  virtual int Poll(pollfd* fds, nfds_t count, int timeoutMs) = 0;
};

// The real calls.
std::shared_ptr<DeviceOps> SystemDeviceOps();

}  // namespace media
