#pragma once
// A V4L2 video capture node behind the CaptureDevice interface.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/media/CaptureDevice.h"
#include "platform/media/v4l2/DeviceFd.h"
#include "platform/media/v4l2/V4l2Stream.h"

namespace media {

// What QUERYCAP says about a node.
struct NodeInfo {
  std::string card;      // the driver's name for the device
  bool capture = false;  // single-planar video capture
  bool streaming = false;
};

// Reads the capabilities of an open node. 0 or the errno.
int QueryNode(DeviceOps& ops, int fd, NodeInfo& info);

// The handlers given to Start may call Stop; they must not call Start or
// Stats, nor destroy the device.
class V4l2Device final : public CaptureDevice {
 public:
  // Opens `path` if it is a video capture node that streams; null otherwise.
  // A node whose current pixel format we cannot convert is switched to one
  // we can, when it offers one.
  static std::unique_ptr<V4l2Device> Open(std::shared_ptr<DeviceOps> ops, const std::string& path);
  ~V4l2Device() override;

  int GetFormat(VideoFormat& current) override;
  int SetFormat(const VideoFormat& wanted, VideoFormat& applied) override;
  std::vector<VideoInput> Inputs() override;
  int SelectInput(int index) override;
  int Start(FrameHandler onFrame, EndHandler onEnd) override;
  void Stop() override;

  // Counts of the current or last stream. Not from a handler.
  StreamStats Stats();

 private:
  V4l2Device(DeviceFd fd, std::string path) : m_fd(std::move(fd)), m_path(std::move(path)) {}
  void PreferConvertibleFormat();
  bool Streaming() const { return m_stream && !m_stream->Ended(); }
  void ClearStream();

  DeviceFd m_fd;
  const std::string m_path;  // for the log
  std::mutex m_mutex;  // guards the stream against Start and Stop from two threads
  std::unique_ptr<V4l2Stream> m_stream;
  StreamStats m_lastStats;
};

}  // namespace media
