#pragma once
// A capture device for tests. Its frames are the ones the test pushes: while
// streaming they are delivered at once on the pushing thread, and frames
// pushed before streaming wait for Start, so no test depends on a device
// thread being scheduled.

#include <cerrno>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/media/CaptureDevice.h"
#include "platform/media/PixelFormats.h"

namespace fake {

struct DeviceState {
  std::mutex mutex;
  media::VideoFormat format;
  std::vector<media::VideoInput> inputs;
  bool refuseSizes = false;  // SetFormat keeps the current size, as a driver adjusts
  int startError = 0;
  // Observations.
  std::vector<media::VideoFormat> setFormatCalls;
  int selectedInput = -1;
  int devicesOpened = 0;  // device objects made so far
  int devicesAlive = 0;   // device objects that exist now
  bool streaming = false;
  bool unplugged = false;

  std::deque<std::vector<uint8_t>> queued;
  media::CaptureDevice::FrameHandler onFrame;
  media::CaptureDevice::EndHandler onEnd;
  uint64_t sequence = 0;

  // Delivers `frame` now while streaming, else keeps it for the next Start.
  // Frames pushed after an unplug are lost.
  void Push(std::vector<uint8_t> frame) {
    std::lock_guard lock(mutex);
    if (unplugged) return;
    if (!streaming) {
      queued.push_back(std::move(frame));
      return;
    }
    Deliver(frame);
  }

  // The stream ends by itself, as when the device is pulled out.
  void Unplug(int err = ENODEV) {
    std::lock_guard lock(mutex);
    unplugged = true;
    if (streaming && onEnd) onEnd(err);
    streaming = false;
  }

  void Deliver(const std::vector<uint8_t>& frame) {
    onFrame(media::FrameView{frame.data(), frame.size(), ++sequence});
  }
};

class FakeDevice : public media::CaptureDevice {
 public:
  explicit FakeDevice(std::shared_ptr<DeviceState> state) : s_(std::move(state)) {
    std::lock_guard lock(s_->mutex);
    ++s_->devicesOpened;
    ++s_->devicesAlive;
  }
  ~FakeDevice() override {
    Stop();
    std::lock_guard lock(s_->mutex);
    --s_->devicesAlive;
  }

  int GetFormat(media::VideoFormat& current) override {
    std::lock_guard lock(s_->mutex);
    current = s_->format;
    return 0;
  }

  int SetFormat(const media::VideoFormat& wanted, media::VideoFormat& applied) override {
    std::lock_guard lock(s_->mutex);
    s_->setFormatCalls.push_back(wanted);
    if (!s_->refuseSizes) {
      media::VideoFormat& f = s_->format;
      f.fourcc = wanted.fourcc;
      f.width = wanted.width;
      f.height = wanted.height;
      f.bytesPerLine = media::LineBytes(f.fourcc, f.width);
      f.sizeImage = media::FrameBytes(f.fourcc, f.width, f.height);
    }
    applied = s_->format;
    return 0;
  }

  std::vector<media::VideoInput> Inputs() override {
    std::lock_guard lock(s_->mutex);
    return s_->inputs;
  }

  int SelectInput(int index) override {
    std::lock_guard lock(s_->mutex);
    s_->selectedInput = index;
    return 0;
  }

  int Start(FrameHandler onFrame, EndHandler onEnd) override {
    std::lock_guard lock(s_->mutex);
    if (s_->startError) return s_->startError;
    if (s_->unplugged) return ENODEV;
    s_->onFrame = std::move(onFrame);
    s_->onEnd = std::move(onEnd);
    s_->streaming = true;
    while (!s_->queued.empty()) {
      s_->Deliver(s_->queued.front());
      s_->queued.pop_front();
    }
    return 0;
  }

  void Stop() override {
    std::lock_guard lock(s_->mutex);
    s_->streaming = false;
    s_->onFrame = nullptr;
    s_->onEnd = nullptr;
  }

 private:
  std::shared_ptr<DeviceState> s_;
};

inline std::shared_ptr<DeviceState> NewDevice(uint32_t fourcc, int width, int height) {
  auto state = std::make_shared<DeviceState>();
  state->format.fourcc = fourcc;
  state->format.width = width;
  state->format.height = height;
  state->format.bytesPerLine = media::LineBytes(fourcc, width);
  state->format.sizeImage = media::FrameBytes(fourcc, width, height);
  state->format.intervalNumerator = 1;
  state->format.intervalDenominator = 25;
  return state;
}

inline media::DeviceEntry Entry(std::string name, std::shared_ptr<DeviceState> state,
                                bool nameReadable = true) {
  media::DeviceEntry entry;
  entry.name = std::move(name);
  entry.nameReadable = nameReadable;
  entry.open = [state]() -> std::unique_ptr<media::CaptureDevice> {
    return std::make_unique<FakeDevice>(state);
  };
  return entry;
}

// A device that is listed but cannot be opened.
inline media::DeviceEntry Unopenable(std::string name) {
  media::DeviceEntry entry;
  entry.name = std::move(name);
  entry.open = [] { return std::unique_ptr<media::CaptureDevice>(); };
  return entry;
}

// Puts a device list in place for the lifetime of the object.
class ScopedDevices {
 public:
  explicit ScopedDevices(std::vector<media::DeviceEntry> devices) {
    media::SetDeviceLister([devices] { return devices; });
  }
  ~ScopedDevices() { media::SetDeviceLister({}); }
  ScopedDevices(const ScopedDevices&) = delete;
  ScopedDevices& operator=(const ScopedDevices&) = delete;
};

// A YUYV frame: luma `top` in the upper half, `bottom` in the lower, no colour.
inline std::vector<uint8_t> YuyvFrame(int width, int height, uint8_t top, uint8_t bottom) {
  std::vector<uint8_t> frame(size_t(width) * size_t(height) * 2);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* px = &frame[(size_t(y) * size_t(width) + size_t(x)) * 2];
      px[0] = y < height / 2 ? top : bottom;
      px[1] = 128;
    }
  return frame;
}

// A BGR3 frame, top row first, whose row y is the colour (y, y + seed, 255 - y).
inline std::vector<uint8_t> BgrFrame(int width, int height, uint8_t seed) {
  std::vector<uint8_t> frame(size_t(width) * size_t(height) * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* px = &frame[(size_t(y) * size_t(width) + size_t(x)) * 3];
      px[0] = uint8_t(y);
      px[1] = uint8_t(y + seed);
      px[2] = uint8_t(255 - y);
    }
  return frame;
}

}  // namespace fake
