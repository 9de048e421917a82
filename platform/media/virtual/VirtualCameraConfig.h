#pragma once
// What the virtual cameras are, read from MORVANE_VIRTUAL_CAMERAS.
//
// The value is either a count or a list:
//   unset, "" or "0"   no virtual camera
//   "N" (1 to 8)       N default cameras: "Morvane Virtual Camera",
//                      "Morvane Virtual Camera 2", ...
//   "entry;entry;..."  one camera per entry, where an entry is
//                      name[:format[:WIDTHxHEIGHT[@FPS]]]
//                      format YUYV, MJPG or BGR3; WIDTH even, 64 to 4096;
//                      HEIGHT 48 to 4096; FPS 1 to 120. An empty or missing
//                      field takes the default (YUYV, 640x480, 25).
// An entry that does not parse is left out (with a line on stderr).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/media/CaptureDevice.h"

namespace media {

struct VirtualCameraConfig {
  std::string name = "Morvane Virtual Camera";
  uint32_t fourcc = kPixYUYV;
  int width = 640;
  int height = 480;
  int fps = 25;
};

std::vector<VirtualCameraConfig> ParseVirtualCameras(std::string_view value);

// The configuration from the environment, read at every call.
std::vector<VirtualCameraConfig> VirtualCamerasFromEnvironment();

}  // namespace media
