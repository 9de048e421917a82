// The pixel format table, both ways, and the frame sizes it gives.

#include <gtest/gtest.h>

#include "platform/media/PixelFormats.h"

namespace {

using namespace media;

TEST(PixelFormats, TableMapsFourccAndNameBothWays) {
  struct Case {
    uint32_t fourcc;
    const char* name;
    int bits;
  };
  const Case cases[] = {{kPixYUYV, "YUYV", 16}, {kPixMJPG, "MJPG", 0}, {kPixBGR24, "BGR3", 24}};
  for (const Case& c : cases) {
    const PixelFormatInfo* byCode = FindPixelFormat(c.fourcc);
    const PixelFormatInfo* byName = FindPixelFormat(std::string_view(c.name));
    ASSERT_NE(byCode, nullptr) << c.name;
    EXPECT_EQ(byCode, byName) << c.name;
    EXPECT_EQ(byCode->name, c.name);
    EXPECT_EQ(byCode->bitsPerPixel, c.bits) << c.name;
    // The fourcc spells the name, as V4L2 defines it.
    EXPECT_EQ(MakeFourCC(c.name[0], c.name[1], c.name[2], c.name[3]), c.fourcc);
  }
  EXPECT_EQ(FindPixelFormat(MakeFourCC('N', 'V', '1', '2')), nullptr);
  EXPECT_EQ(FindPixelFormat(std::string_view("yuyv")), nullptr);
  EXPECT_EQ(FindPixelFormat(std::string_view("")), nullptr);
}

TEST(PixelFormats, FrameBytes) {
  struct Case {
    uint32_t fourcc;
    int width, height;
    uint32_t bytes;
  };
  const Case cases[] = {
      {kPixYUYV, 640, 480, 614400},
      {kPixBGR24, 640, 480, 921600},
      {kPixBGR24, 3, 2, 18},  // packed: no row padding on the device side
      {kPixMJPG, 640, 480, 0},
      {MakeFourCC('H', '2', '6', '4'), 640, 480, 0},
      {kPixYUYV, 0, 480, 0},
      {kPixYUYV, 640, -1, 0},
      {kPixBGR24, 100000, 100000, 0},  // beyond 32 bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(FrameBytes(c.fourcc, c.width, c.height), c.bytes) << c.width << "x" << c.height;
}

TEST(PixelFormats, LeastFrameBytesSparesTheLastLinesPadding) {
  VideoFormat f;
  f.fourcc = kPixYUYV;
  f.width = 4;
  f.height = 3;
  EXPECT_EQ(LeastFrameBytes(f), 24u);
  f.bytesPerLine = 12;
  EXPECT_EQ(LeastFrameBytes(f), 12u * 2 + 8);
  f.fourcc = kPixMJPG;
  EXPECT_EQ(LeastFrameBytes(f), 0u);
}

}  // namespace
