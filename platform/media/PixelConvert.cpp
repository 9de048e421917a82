#include "platform/media/PixelConvert.h"

#include <cstdint>
#include <cstring>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "platform/media/PixelFormats.h"

namespace media {
namespace {

// Bytes a frame with `lines` rows of `stride` bytes needs when only
// `lastLine` bytes of its last row are read.
size_t NeededBytes(size_t stride, int lines, size_t lastLine) {
  return stride * size_t(lines - 1) + lastLine;
}

// The sample's rows top-down over dst: after a conversion into it, one
// in-place vertical flip makes the sample bottom-up.
cv::Mat SampleView(int width, int height, uint8_t* dst) {
  return cv::Mat(height, width, CV_8UC3, dst, Rgb24Stride(width));
}

void ClearRowPadding(cv::Mat& sample) {
  const size_t used = size_t(sample.cols) * 3;
  const size_t pad = sample.step[0] - used;
  if (pad == 0) return;
  for (int y = 0; y < sample.rows; ++y) std::memset(sample.ptr(y) + used, 0, pad);
}

bool FromYuyv(const VideoFormat& in, const uint8_t* src, size_t srcBytes, uint8_t* dst) {
  if (in.width % 2 != 0) return false;  // YUYV carries pixels in pairs
  const size_t line = size_t(in.width) * 2;
  const size_t stride = in.bytesPerLine ? in.bytesPerLine : line;
  if (stride < line || srcBytes < NeededBytes(stride, in.height, line)) return false;
  const cv::Mat yuyv(in.height, in.width, CV_8UC2, const_cast<uint8_t*>(src), stride);
  cv::Mat sample = SampleView(in.width, in.height, dst);
  cv::cvtColor(yuyv, sample, cv::COLOR_YUV2BGR_YUYV);
  if (sample.data != dst) return false;  // OpenCV reallocated: nothing landed in dst
  cv::flip(sample, sample, 0);
  ClearRowPadding(sample);
  return true;
}

// A JPEG cut short still decodes, with its lower part grey; a whole one
// ends with the EOI marker, which some cameras follow with zero padding.
bool WholeJpeg(const uint8_t* src, size_t bytes) {
  if (bytes < 4 || src[0] != 0xFF || src[1] != 0xD8) return false;
  while (bytes > 2 && src[bytes - 1] == 0) --bytes;
  return src[bytes - 2] == 0xFF && src[bytes - 1] == 0xD9;
}

// The picture size a JPEG declares in its frame header, read before the
// decoder would allocate for it. False when no frame header is found.
bool JpegSize(const uint8_t* src, size_t bytes, int& width, int& height) {
  size_t at = 2;  // past SOI
  while (at + 4 <= bytes) {
    if (src[at] != 0xFF) return false;
    const uint8_t marker = src[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const size_t length = size_t(src[at + 2]) << 8 | src[at + 3];
    // SOF0 to SOF15, less DHT (C4), JPG (C8) and DAC (CC).
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 7 || at + 9 > bytes) return false;
      height = src[at + 5] << 8 | src[at + 6];
      width = src[at + 7] << 8 | src[at + 8];
      return true;
    }
    if (marker == 0xDA || length < 2) return false;  // scan data before any frame header
    at += 2 + length;
  }
  return false;
}

bool FromMjpg(const VideoFormat& in, const uint8_t* src, size_t srcBytes, uint8_t* dst) {
  if (srcBytes > size_t(INT32_MAX) || !WholeJpeg(src, srcBytes)) return false;
  int width = 0, height = 0;
  if (!JpegSize(src, srcBytes, width, height) || width != in.width || height != in.height)
    return false;
  const cv::Mat encoded(1, int(srcBytes), CV_8UC1, const_cast<uint8_t*>(src));
  // A fresh picture each time: decoding into a kept buffer cannot tell a
  // failed frame from the last good one, whose pixels the buffer still holds.
  // A camera's orientation tag must not turn the picture: the frame is what
  // the sensor saw, in the size the format says.
  const cv::Mat picture = cv::imdecode(encoded, cv::IMREAD_COLOR | cv::IMREAD_IGNORE_ORIENTATION);
  if (picture.empty() || picture.type() != CV_8UC3 || picture.cols != in.width ||
      picture.rows != in.height)
    return false;
  cv::Mat sample = SampleView(in.width, in.height, dst);
  cv::flip(picture, sample, 0);
  ClearRowPadding(sample);
  return sample.data == dst;
}

bool FromBgr24(const VideoFormat& in, const uint8_t* src, size_t srcBytes, uint8_t* dst) {
  const size_t line = size_t(in.width) * 3;
  const size_t stride = in.bytesPerLine ? in.bytesPerLine : line;
  if (stride < line || srcBytes < NeededBytes(stride, in.height, line)) return false;
  const size_t dstStride = Rgb24Stride(in.width);
  for (int y = 0; y < in.height; ++y) {
    uint8_t* row = dst + dstStride * size_t(in.height - 1 - y);
    std::memcpy(row, src + stride * size_t(y), line);
    std::memset(row + line, 0, dstStride - line);
  }
  return true;
}

}  // namespace

size_t Rgb24Stride(int width) { return width <= 0 ? 0 : (size_t(width) * 3 + 3) & ~size_t(3); }

size_t Rgb24SampleBytes(int width, int height) {
  return height <= 0 ? 0 : Rgb24Stride(width) * size_t(height);
}

bool ConvertToRgb24Sample(const VideoFormat& in, const uint8_t* src, size_t srcBytes, uint8_t* dst,
                          size_t dstBytes) {
  if (!src || !dst || in.width <= 0 || in.height <= 0) return false;
  // Sizes beyond what a Mat can address are no camera's.
  if (in.width > 16384 || in.height > 16384) return false;
  if (dstBytes < Rgb24SampleBytes(in.width, in.height)) return false;
  switch (in.fourcc) {
    case kPixYUYV:
      return FromYuyv(in, src, srcBytes, dst);
    case kPixMJPG:
      return FromMjpg(in, src, srcBytes, dst);
    case kPixBGR24:
      return FromBgr24(in, src, srcBytes, dst);
    default:
      return false;
  }
}

}  // namespace media
