#include "platform/media/virtual/VirtualCameraList.h"

#include "platform/media/virtual/VirtualCamera.h"
#include "platform/media/virtual/VirtualCameraConfig.h"

namespace media {

std::vector<DeviceEntry> ListVirtualCameras() {
  std::vector<DeviceEntry> devices;
  for (const VirtualCameraConfig& config : VirtualCamerasFromEnvironment()) {
    DeviceEntry entry;
    entry.name = config.name;
    entry.open = [config]() -> std::unique_ptr<CaptureDevice> {
      return std::make_unique<VirtualCamera>(config);
    };
    devices.push_back(std::move(entry));
  }
  return devices;
}

}  // namespace media
