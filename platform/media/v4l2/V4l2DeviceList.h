#pragma once
// The V4L2 capture nodes present now, in ascending /dev/videoN order.

#include <memory>
#include <string>
#include <vector>

#include "platform/media/CaptureDevice.h"
#include "platform/media/v4l2/DeviceOps.h"

namespace media {

// The paths of the videoN entries of `dir`, by ascending N (video2 before video10).
std::vector<std::string> VideoNodePaths(const std::string& dir);

// One entry for each of `paths` that is a video capture node, in the order
// given: named by its card, opened afresh through `ops` by `open`.
std::vector<DeviceEntry> ListV4l2Devices(std::shared_ptr<DeviceOps> ops,
                                         const std::vector<std::string>& paths);

// The nodes of /dev through the real system calls.
std::vector<DeviceEntry> ListV4l2Devices();

}  // namespace media
