#include "platform/media/PixelFormats.h"

#include <algorithm>
#include <array>
#include <limits>

namespace media {
namespace {

constexpr std::array<PixelFormatInfo, 3> kFormats{{
    {kPixYUYV, "YUYV", 16},
    {kPixMJPG, "MJPG", 0},
    {kPixBGR24, "BGR3", 24},
}};

}  // namespace

const PixelFormatInfo* FindPixelFormat(uint32_t fourcc) {
  for (const PixelFormatInfo& info : kFormats) {
    if (info.fourcc == fourcc) return &info;
  }
  return nullptr;
}

const PixelFormatInfo* FindPixelFormat(std::string_view name) {
  for (const PixelFormatInfo& info : kFormats) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

uint32_t LineBytes(uint32_t fourcc, int width) {
  const PixelFormatInfo* info = FindPixelFormat(fourcc);
  if (!info || info->bitsPerPixel == 0 || width <= 0) return 0;
  const uint64_t bytes = (uint64_t(width) * uint64_t(info->bitsPerPixel) + 7) / 8;
  return bytes > std::numeric_limits<uint32_t>::max() ? 0 : uint32_t(bytes);
}

uint32_t FrameBytes(uint32_t fourcc, int width, int height) {
  const uint64_t line = LineBytes(fourcc, width);
  if (line == 0 || height <= 0) return 0;
  const uint64_t bytes = line * uint64_t(height);
  // A size that does not fit is no frame we could hold.
  return bytes > std::numeric_limits<uint32_t>::max() ? 0 : uint32_t(bytes);
}

uint32_t LeastFrameBytes(const VideoFormat& format) {
  const uint64_t line = LineBytes(format.fourcc, format.width);
  if (line == 0 || format.height <= 0) return 0;
  const uint64_t stride = std::max<uint64_t>(format.bytesPerLine, line);
  const uint64_t bytes = stride * uint64_t(format.height - 1) + line;
  return bytes > std::numeric_limits<uint32_t>::max() ? 0 : uint32_t(bytes);
}

}  // namespace media
