#pragma once
// The pixel formats the capture devices deliver: one table of fourcc, name
// and frame size rules.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/media/CaptureDevice.h"

namespace media {

struct PixelFormatInfo {
  uint32_t fourcc;
  std::string_view name;  // "YUYV", "MJPG", "BGR3"
  int bitsPerPixel;       // 0 for compressed formats
};

// The entry for `fourcc`, or null when the format is not one we handle.
const PixelFormatInfo* FindPixelFormat(uint32_t fourcc);
// The entry named `name` (case-sensitive), or null.
const PixelFormatInfo* FindPixelFormat(std::string_view name);

// Bytes of one line and of one frame with tightly packed rows; 0 for
// compressed or unknown formats and for sizes that are not positive.
uint32_t LineBytes(uint32_t fourcc, int width);
uint32_t FrameBytes(uint32_t fourcc, int width, int height);
// The fewest bytes a whole frame in `format` can have, honouring its
// bytesPerLine: every row but the last in full, then the last row's pixels.
// 0 for compressed or unknown formats.
uint32_t LeastFrameBytes(const VideoFormat& format);

}  // namespace media
