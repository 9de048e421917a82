#include "platform/media/v4l2/DeviceOps.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace media {
namespace {

class SystemOps final : public DeviceOps {
 public:
  int Open(const char* path, int flags) override { return ::open(path, flags); }
  int Close(int fd) override { return ::close(fd); }
  int Ioctl(int fd, unsigned long request, void* arg) override { return ::ioctl(fd, request, arg); }
  void* Mmap(size_t length, int fd, off_t offset) override {
    return ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
  }
  int Munmap(void* addr, size_t length) override { return ::munmap(addr, length); }
  int Poll(pollfd* fds, nfds_t count, int timeoutMs) override { return ::poll(fds, count, timeoutMs); }
};

}  // namespace

std::shared_ptr<DeviceOps> SystemDeviceOps() {
  static const std::shared_ptr<DeviceOps> ops = std::make_shared<SystemOps>();
  return ops;
}

}  // namespace media
