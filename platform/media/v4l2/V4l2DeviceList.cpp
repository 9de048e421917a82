#include "platform/media/v4l2/V4l2DeviceList.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/media/v4l2/DeviceFd.h"
#include "platform/media/v4l2/V4l2Device.h"

namespace media {
namespace {

// N of "videoN", or -1 for any other name.
long NodeNumber(const std::string& name) {
  constexpr std::string_view prefix = "video";
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  long number = -1;
  const char* first = name.data() + prefix.size();
  const char* last = name.data() + name.size();
  const auto [end, ec] = std::from_chars(first, last, number);
  return ec == std::errc() && end == last && number >= 0 ? number : -1;
}

}  // namespace

std::vector<std::string> VideoNodePaths(const std::string& dir) {
  std::vector<std::pair<long, std::string>> nodes;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (long number = NodeNumber(name); number >= 0) nodes.emplace_back(number, entry.path().string());
  }
  std::sort(nodes.begin(), nodes.end());
  std::vector<std::string> paths;
  for (auto& node : nodes) paths.push_back(std::move(node.second));
  return paths;
}

std::vector<DeviceEntry> ListV4l2Devices(std::shared_ptr<DeviceOps> ops,
                                         const std::vector<std::string>& paths) {
  std::vector<DeviceEntry> devices;
  for (const std::string& path : paths) {
    int err = 0;
    // A node we may not open (no permission) cannot be told apart from a
    // metadata node, and could not be used anyway.
    DeviceFd fd = OpenDevice(ops, path.c_str(), err);
    if (!fd.Valid()) continue;
    NodeInfo info;
    if (QueryNode(fd.Ops(), fd.Get(), info) != 0 || !info.capture) continue;
    DeviceEntry entry;
    // A driver that leaves its card name empty still names the node.
    entry.name = info.card.empty() ? path : info.card;
    entry.open = [ops, path]() -> std::unique_ptr<CaptureDevice> {
      return V4l2Device::Open(ops, path);
    };
    devices.push_back(std::move(entry));
  }
  return devices;
}

std::vector<DeviceEntry> ListV4l2Devices() {
  return ListV4l2Devices(SystemDeviceOps(), VideoNodePaths("/dev"));
}

}  // namespace media
