#include "platform/media/virtual/VirtualCameraConfig.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/media/PixelFormats.h"

namespace media {
namespace {

constexpr int kMaxCount = 8;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::optional<int> Number(std::string_view s, int low, int high) {
  s = Trim(s);
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}

// Splits at the first `separator`; the rest is empty when there is none.
std::string_view Take(std::string_view& rest, char separator) {
  const size_t at = rest.find(separator);
  std::string_view head = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return head;
}

bool ParseFormat(std::string_view text, VirtualCameraConfig& camera) {
  text = Trim(text);
  if (text.empty()) return true;
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  const PixelFormatInfo* info = FindPixelFormat(std::string_view(upper));
  if (!info) return false;
  camera.fourcc = info->fourcc;
  return true;
}

// "WIDTHxHEIGHT[@FPS]", either part may be left out.
bool ParseGeometry(std::string_view text, VirtualCameraConfig& camera) {
  const size_t at = text.find('@');
  std::string_view size = Trim(text.substr(0, at));
  if (!size.empty()) {
    const size_t x = size.find('x');
    if (x == std::string_view::npos) return false;
    const auto width = Number(size.substr(0, x), 64, 4096);
    const auto height = Number(size.substr(x + 1), 48, 4096);
    // YUYV carries pixels in pairs.
    if (!width || !height || *width % 2 != 0) return false;
    camera.width = *width;
    camera.height = *height;
  }
  if (at != std::string_view::npos) {
    const auto fps = Number(text.substr(at + 1), 1, 120);
    if (!fps) return false;
    camera.fps = *fps;
  }
  return true;
}

std::optional<VirtualCameraConfig> ParseEntry(std::string_view entry) {
  VirtualCameraConfig camera;
  std::string_view rest = entry;
  const std::string_view name = Trim(Take(rest, ':'));
  if (!name.empty()) camera.name = std::string(name);
  const std::string_view format = Take(rest, ':');
  if (!ParseFormat(format, camera)) return std::nullopt;
  const std::string_view geometry = Take(rest, ':');
  if (!ParseGeometry(geometry, camera) || !Trim(rest).empty()) return std::nullopt;
  return camera;
}

}  // namespace

std::vector<VirtualCameraConfig> ParseVirtualCameras(std::string_view value) {
  value = Trim(value);
  std::vector<VirtualCameraConfig> cameras;
  if (value.empty() || value == "0") return cameras;
  if (std::all_of(value.begin(), value.end(), [](unsigned char c) { return std::isdigit(c); })) {
    const auto count = Number(value, 0, kMaxCount);
    if (!count) {
      std::fprintf(stderr, "morvane: MORVANE_VIRTUAL_CAMERAS: count beyond %d\n", kMaxCount);
      return cameras;
    }
    for (int i = 0; i < *count; ++i) {
      VirtualCameraConfig camera;
          if (i > 0) camera.name += " " + std::to_string(i + 1);
      cameras.push_back(camera);
    }
    return cameras;
  }
  while (!value.empty()) {
    const std::string_view entry = Trim(Take(value, ';'));
    if (entry.empty()) continue;
    if (auto camera = ParseEntry(entry))
      cameras.push_back(*camera);
    else
      std::fprintf(stderr, "morvane: MORVANE_VIRTUAL_CAMERAS: ignored \"%.*s\"\n", int(entry.size()),
                   entry.data());
  }
  return cameras;
}

std::vector<VirtualCameraConfig> VirtualCamerasFromEnvironment() {
  const char* value = std::getenv("MORVANE_VIRTUAL_CAMERAS");
  return ParseVirtualCameras(value ? value : "");
}

}  // namespace media
