#pragma once
// The virtual cameras configured by MORVANE_VIRTUAL_CAMERAS.

#include <vector>

#include "platform/media/CaptureDevice.h"

namespace media {

// One entry per configured camera; none when the variable is unset, empty or "0".
std::vector<DeviceEntry> ListVirtualCameras();

}  // namespace media
