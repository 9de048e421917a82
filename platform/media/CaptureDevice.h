#pragma once
// The device side of the capture layer: one opened video capture device
// (a V4L2 node, the virtual camera, or a fake one in tests) and the list of
// devices in index order. The COM-style capture filter wraps a CaptureDevice;
// nothing above the media layer sees this interface.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace media {

constexpr uint32_t MakeFourCC(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
         uint32_t(uint8_t(d)) << 24;
}

// Pixel formats as V4L2 names them.
constexpr uint32_t kPixYUYV = MakeFourCC('Y', 'U', 'Y', 'V');   // 4:2:2, 2 bytes a pixel
constexpr uint32_t kPixMJPG = MakeFourCC('M', 'J', 'P', 'G');   // motion JPEG
constexpr uint32_t kPixBGR24 = MakeFourCC('B', 'G', 'R', '3');  // blue, green, red; top row first

struct VideoFormat {
  uint32_t fourcc = 0;
  int width = 0;
  int height = 0;
  uint32_t bytesPerLine = 0;  // 0 for compressed formats
  uint32_t sizeImage = 0;     // bytes of one frame (upper bound for compressed ones)
  // Frame interval as a fraction of a second; 0/0 when the device does not say.
  uint32_t intervalNumerator = 0;
  uint32_t intervalDenominator = 0;
};

// Crossbar physical connector types, as the capture graph knows them.
constexpr int kPhysVideoTuner = 1;
constexpr int kPhysVideoComposite = 2;
constexpr int kPhysVideoSVideo = 3;
constexpr int kPhysVideoParallelDigital = 7;  // a camera sensor's own digital input
constexpr int kPhysVideoDecoder = 12;

struct VideoInput {
  std::string name;
  int physicalType = kPhysVideoComposite;
};

// One frame as the device delivered it; valid only during the callback.
struct FrameView {
  const uint8_t* data = nullptr;
  size_t bytes = 0;
  uint64_t sequence = 0;  // the driver's frame counter
};

// An opened capture device. All results are 0 or an errno value.
class CaptureDevice {
 public:
  using FrameHandler = std::function<void(const FrameView&)>;
  using EndHandler = std::function<void(int err)>;  // the stream ended by itself (device lost)

  virtual ~CaptureDevice() = default;

  virtual int GetFormat(VideoFormat& current) = 0;
  // Asks for `wanted`; `applied` receives what the driver actually took.
  virtual int SetFormat(const VideoFormat& wanted, VideoFormat& applied) = 0;

  // The device's video inputs; fewer than two means there is nothing to route.
  virtual std::vector<VideoInput> Inputs() = 0;
  virtual int SelectInput(int index) = 0;

  // Starts streaming in the current format. Frames arrive on a thread of the
  // device until Stop(); onEnd is called once if the stream ends by itself.
  virtual int Start(FrameHandler onFrame, EndHandler onEnd) = 0;
  // Idempotent. Wakes and joins the streaming thread; no handler runs after it returns.
  virtual void Stop() = 0;
};

// One entry of the device list. `nameReadable` false stands for a device
// whose friendly name cannot be read: it keeps its position but is never bound.
struct DeviceEntry {
  std::string name;  // UTF-8
  bool nameReadable = true;
  std::function<std::unique_ptr<CaptureDevice>()> open;  // null result: cannot be opened
};

using DeviceLister = std::function<std::vector<DeviceEntry>()>;

// The devices in index order: V4L2 capture nodes in ascending /dev/videoN
// order, then the virtual cameras. Taken afresh at every call.
std::vector<DeviceEntry> ListCaptureDevices();

// Replaces the list source (tests); an empty function restores the default.
void SetDeviceLister(DeviceLister lister);

}  // namespace media
