#include "platform/media/virtual/FrameEncoder.h"

#include <cstring>

#include <opencv2/imgcodecs.hpp>

#include "platform/media/CaptureDevice.h"

namespace media {
namespace {

// BT.601 with the studio range (Y 16 to 235) that camera YUYV uses and the
// converters expect.
inline uint8_t Luma(int b, int g, int r) { return uint8_t(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16); }
inline int BlueDiff(int b, int g, int r) { return ((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128; }
inline int RedDiff(int b, int g, int r) { return ((112 * r - 94 * g - 18 * b + 128) >> 8) + 128; }

void ToYuyv(const cv::Mat& bgr, std::vector<uint8_t>& out) {
  out.resize(size_t(bgr.cols) * size_t(bgr.rows) * 2);
  uint8_t* dst = out.data();
  for (int y = 0; y < bgr.rows; ++y) {
    const uint8_t* p = bgr.ptr<uint8_t>(y);
    for (int x = 0; x < bgr.cols; x += 2, p += 6, dst += 4) {
      const int b0 = p[0], g0 = p[1], r0 = p[2], b1 = p[3], g1 = p[4], r1 = p[5];
      dst[0] = Luma(b0, g0, r0);
      dst[1] = uint8_t((BlueDiff(b0, g0, r0) + BlueDiff(b1, g1, r1) + 1) / 2);
      dst[2] = Luma(b1, g1, r1);
      dst[3] = uint8_t((RedDiff(b0, g0, r0) + RedDiff(b1, g1, r1) + 1) / 2);
    }
  }
}

void ToBgr24(const cv::Mat& bgr, std::vector<uint8_t>& out) {
  const size_t line = size_t(bgr.cols) * 3;
  out.resize(line * size_t(bgr.rows));
  for (int y = 0; y < bgr.rows; ++y) std::memcpy(out.data() + line * size_t(y), bgr.ptr(y), line);
}

}  // namespace

bool EncodeFrame(const cv::Mat& bgr, uint32_t fourcc, std::vector<uint8_t>& out) {
  if (bgr.empty() || bgr.type() != CV_8UC3) return false;
  switch (fourcc) {
    case kPixYUYV:
      if (bgr.cols % 2 != 0) return false;
      ToYuyv(bgr, out);
      return true;
    case kPixMJPG:
      return cv::imencode(".jpg", bgr, out, {cv::IMWRITE_JPEG_QUALITY, 90});
    case kPixBGR24:
      ToBgr24(bgr, out);
      return true;
    default:
      return false;
  }
}

}  // namespace media
