#include "platform/media/v4l2/DeviceFd.h"

#include <fcntl.h>

#include <cerrno>

namespace media {

DeviceFd OpenDevice(std::shared_ptr<DeviceOps> ops, const char* path, int& err) {
  int fd;
  do {
    // Non-blocking: the streaming thread waits in poll, never in DQBUF.
    fd = ops->Open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
  } while (fd == -1 && errno == EINTR);
  err = fd == -1 ? errno : 0;
  return fd == -1 ? DeviceFd() : DeviceFd(std::move(ops), fd);
}

}  // namespace media
