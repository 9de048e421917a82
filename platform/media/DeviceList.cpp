// The capture device list: the real V4L2 nodes first, then the virtual
// cameras, unless a test has put its own lister in place.

#include <mutex>
#include <utility>

#include "platform/media/CaptureDevice.h"
#include "platform/media/v4l2/V4l2DeviceList.h"
#include "platform/media/virtual/VirtualCameraList.h"

namespace media {
namespace {

std::mutex gListerMutex;
DeviceLister gLister;  // empty: the default list

std::vector<DeviceEntry> DefaultDevices() {
  std::vector<DeviceEntry> devices = ListV4l2Devices();
  std::vector<DeviceEntry> virtualCameras = ListVirtualCameras();
  for (DeviceEntry& entry : virtualCameras) devices.push_back(std::move(entry));
  return devices;
}

}  // namespace

std::vector<DeviceEntry> ListCaptureDevices() {
  DeviceLister lister;
  {
    std::lock_guard lock(gListerMutex);
    lister = gLister;
  }
  // Called outside the lock so a lister may itself take time or list again.
  return lister ? lister() : DefaultDevices();
}

void SetDeviceLister(DeviceLister lister) {
  std::lock_guard lock(gListerMutex);
  gLister = std::move(lister);
}

}  // namespace media
