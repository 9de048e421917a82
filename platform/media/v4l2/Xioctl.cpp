#include "platform/media/v4l2/Xioctl.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace media {

int Xioctl(DeviceOps& ops, int fd, unsigned long request, const char* name, void* arg, int quiet) {
  int result;
  do {
    result = ops.Ioctl(fd, request, arg);
  } while (result == -1 && errno == EINTR);
  if (result != -1) return 0;
  const int err = errno;
  if (err != quiet) {
    char what[64];
    std::snprintf(what, sizeof what, "ioctl(%s)", name);
    LogDeviceError(what, err);
  }
  return err;
}

void LogDeviceError(const char* what, int err) {
  char text[128];
  // The GNU strerror_r returns its text rather than filling the buffer.
  const char* reason = strerror_r(err, text, sizeof text);
  std::fprintf(stderr, "morvane: %s: %s\n", what, reason);
}

}  // namespace media
