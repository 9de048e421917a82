#pragma once
// A V4L2 device in memory behind the DeviceOps seam. Its descriptors are
// real eventfds, used as doorbells, so the code under test polls them
// together with its own stop event exactly as it would a device node.

#include <linux/videodev2.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/media/v4l2/DeviceOps.h"

namespace fake {

struct Node {
  std::string card = "Fake Camera";
  uint32_t deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
  std::vector<uint32_t> formats;        // ENUM_FMT order; S_FMT falls back to the first
  std::vector<std::pair<int, int>> sizes;  // S_FMT picks the nearest
  uint32_t fourcc = 0;
  int width = 0, height = 0;
  uint32_t linePadding = 0;  // extra bytes a line
  std::vector<std::pair<std::string, uint32_t>> inputs;  // name, V4L2 input type
};

struct Frame {
  std::vector<uint8_t> bytes;
  uint32_t sequence = 0;
  uint32_t flags = 0;
  int64_t bytesUsed = -1;  // reported bytesused; -1: the bytes' size
  int64_t index = -1;      // reported buffer index; -1: the buffer's own
};

enum class Unplug { DequeueFails, PollError };

class Device final : public media::DeviceOps {
 public:
  Device();
  ~Device() override;

  void AddNode(const std::string& path, Node node);
  // Frames are handed out by DQBUF in the order given.
  void Push(Frame frame);
  void Unplug(Unplug how);
  // The next `times` calls of `request` fail with `err` (EINTR, EIO, ...).
  void FailIoctl(unsigned long request, int err, int times = 1);
  void FailPoll(int err, int times);
  void FailMmapAt(int64_t index);  // -1: none fails

  // Waits (bounded) until a caller sits in Poll with nothing to report.
  bool WaitForBlockedPoll();

  // What happened.
  int OpenCount();
  int MappedCount();
  bool Streaming(const std::string& path);
  int Calls(unsigned long request);
  int SelectedInput(const std::string& path);
  bool PollWokenByOtherFd();
  uint32_t BufferCount(const std::string& path);

  // DeviceOps
  int Open(const char* path, int flags) override;
  int Close(int fd) override;
  int Ioctl(int fd, unsigned long request, void* arg) override;
  void* Mmap(size_t length, int fd, off_t offset) override;
  int Munmap(void* addr, size_t length) override;
  int Poll(pollfd* fds, nfds_t count, int timeoutMs) override;

 private:
  struct Buffer {
    std::vector<uint8_t> memory;
    bool queued = false;
    bool mapped = false;
  };
  struct State {
    Node node;
    std::vector<Buffer> buffers;
    std::deque<uint32_t> queue;  // queued indices in QBUF order
    bool streaming = false;
    int input = 0;
  };

  int Handle(State& s, unsigned long request, void* arg);
  int SetFormat(State& s, v4l2_format& fmt);
  void FillFormat(const State& s, v4l2_pix_format& pix) const;
  bool Ready(const State& s) const;
  short Events(int fd);
  void Ring();
  State* StateOf(int fd);

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::map<std::string, State> m_nodes;
  std::map<int, std::string> m_open;  // fd -> path
  std::deque<Frame> m_frames;
  bool m_unplugged = false;
  enum Unplug m_unplug = Unplug::DequeueFails;
  std::map<unsigned long, std::pair<int, int>> m_ioctlFailures;  // err, times
  std::map<unsigned long, int> m_calls;
  int m_pollErr = 0, m_pollFailures = 0;
  int64_t m_mmapFailAt = -1;
  bool m_blockedInPoll = false;
  bool m_wokenByOther = false;
};

}  // namespace fake
