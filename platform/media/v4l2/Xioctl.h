#pragma once
// The one way the V4L2 code issues an ioctl: EINTR is retried, the result
// is 0 or the errno, and a failure goes to the developer log with the
// ioctl's name ("ioctl(VIDIOC_DQBUF): No such device").

#include "platform/media/v4l2/DeviceOps.h"

namespace media {

// `quiet` is an errno the caller expects (EINVAL at the end of an
// enumeration, EAGAIN from a non-blocking dequeue) and is not logged.
int Xioctl(DeviceOps& ops, int fd, unsigned long request, const char* name, void* arg,
           int quiet = 0);

// Writes one developer log line to stderr.
void LogDeviceError(const char* what, int err);

}  // namespace media

// Names the request after its macro for the log.
#define MEDIA_IOCTL(ops, fd, request, arg, ...) \
  ::media::Xioctl((ops), (fd), (request), #request, (arg)__VA_OPT__(, ) __VA_ARGS__)
