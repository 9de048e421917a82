#include "platform/media/v4l2/WakeEvent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace media {

int WakeEvent::Create() {
  Reset();
  m_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  return m_fd == -1 ? errno : 0;
}

void WakeEvent::Reset() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

void WakeEvent::Signal() const {
  if (m_fd < 0) return;
  const uint64_t one = 1;
  // Only EAGAIN can fail here (the counter is full), and a full counter is still readable.
  while (::write(m_fd, &one, sizeof one) == -1 && errno == EINTR) {
  }
}

}  // namespace media
