// Device frames into RGB24 samples: blue-green-red, rows padded to four
// bytes, bottom row first.

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "platform/media/PixelConvert.h"

namespace {

using namespace media;

VideoFormat Format(uint32_t fourcc, int width, int height, uint32_t bytesPerLine = 0) {
  VideoFormat f;
  f.fourcc = fourcc;
  f.width = width;
  f.height = height;
  f.bytesPerLine = bytesPerLine;
  return f;
}

// The pixel at (x, y), counted from the picture's top, of a bottom-up sample.
cv::Vec3b SamplePixel(const std::vector<uint8_t>& sample, int width, int height, int x, int y) {
  const uint8_t* p = sample.data() + Rgb24Stride(width) * size_t(height - 1 - y) + size_t(x) * 3;
  return {p[0], p[1], p[2]};
}

void ExpectNear(cv::Vec3b actual, cv::Vec3b expected, int tolerance, const char* what) {
  for (int c = 0; c < 3; ++c)
    EXPECT_NEAR(actual[c], expected[c], tolerance) << what << " channel " << c;
}

TEST(PixelConvert, SampleRowsArePaddedToFourBytes) {
  EXPECT_EQ(Rgb24Stride(640), 1920u);
  EXPECT_EQ(Rgb24Stride(2), 8u);
  EXPECT_EQ(Rgb24Stride(5), 16u);
  EXPECT_EQ(Rgb24SampleBytes(640, 480), 921600u);
  EXPECT_EQ(Rgb24SampleBytes(5, 3), 48u);
}

TEST(PixelConvert, YuyvKnownColoursLandBottomUp) {
  // 2x3 picture, lines padded to 8 bytes: white, red, black from the top.
  const uint8_t padding = 0xEE;
  const std::vector<uint8_t> yuyv = {
      235, 128, 235, 128, padding, padding, padding, padding,  // white
      81,  90,  81,  240, padding, padding, padding, padding,  // red
      16,  128, 16,  128, padding, padding, padding, padding,  // black
  };
  std::vector<uint8_t> sample(Rgb24SampleBytes(2, 3) + 4, 0x55);
  ASSERT_TRUE(ConvertToRgb24Sample(Format(kPixYUYV, 2, 3, 8), yuyv.data(), yuyv.size(),
                                   sample.data(), Rgb24SampleBytes(2, 3)));
  for (int x = 0; x < 2; ++x) {
    ExpectNear(SamplePixel(sample, 2, 3, x, 0), {255, 255, 255}, 2, "white");
    ExpectNear(SamplePixel(sample, 2, 3, x, 1), {0, 0, 255}, 3, "red");
    ExpectNear(SamplePixel(sample, 2, 3, x, 2), {0, 0, 0}, 2, "black");
  }
  // Sample rows are 8 bytes: the last two of each are padding, set to zero.
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(sample[row * 8 + 6], 0);
    EXPECT_EQ(sample[row * 8 + 7], 0);
  }
  EXPECT_EQ(sample[Rgb24SampleBytes(2, 3)], 0x55) << "wrote past the sample";
}

TEST(PixelConvert, Bgr24IsCopiedBottomUp) {
  // 3x2, rows 9 bytes of pixels in 12-byte lines.
  std::vector<uint8_t> bgr(24, 0);
  for (int i = 0; i < 9; ++i) {
    bgr[i] = uint8_t(1 + i);         // top row
    bgr[12 + i] = uint8_t(101 + i);  // bottom row
  }
  std::vector<uint8_t> sample(Rgb24SampleBytes(3, 2), 0xAA);
  ASSERT_TRUE(ConvertToRgb24Sample(Format(kPixBGR24, 3, 2, 12), bgr.data(), bgr.size(),
                                   sample.data(), sample.size()));
  const std::vector<uint8_t> expected = {101, 102, 103, 104, 105, 106, 107, 108, 109, 0, 0, 0,
                                         1,   2,   3,   4,   5,   6,   7,   8,   9,   0, 0, 0};
  EXPECT_EQ(sample, expected);
}

TEST(PixelConvert, MjpgIsDecodedBottomUp) {
  cv::Mat picture(48, 64, CV_8UC3, cv::Scalar(255, 255, 255));
  picture.rowRange(24, 48).setTo(cv::Scalar(255, 0, 0));  // blue lower half
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(cv::imencode(".jpg", picture, jpeg, {cv::IMWRITE_JPEG_QUALITY, 95}));
  std::vector<uint8_t> sample(Rgb24SampleBytes(64, 48));
  ASSERT_TRUE(ConvertToRgb24Sample(Format(kPixMJPG, 64, 48), jpeg.data(), jpeg.size(),
                                   sample.data(), sample.size()));
  ExpectNear(SamplePixel(sample, 64, 48, 10, 2), {255, 255, 255}, 8, "top");
  ExpectNear(SamplePixel(sample, 64, 48, 10, 45), {255, 0, 0}, 8, "bottom");
}

TEST(PixelConvert, RefusesWhatItCannotConvertSafely) {
  cv::Mat picture(48, 64, CV_8UC3, cv::Scalar(10, 20, 30));
  std::vector<uint8_t> jpeg;
  ASSERT_TRUE(cv::imencode(".jpg", picture, jpeg));
  const std::vector<uint8_t> yuyv(64 * 48 * 2, 128), bgr(64 * 48 * 3, 7);
  const std::vector<uint8_t> garbage(5000, 0x42);
  // Starts and ends like a JPEG; the decoder gives up in between.
  std::vector<uint8_t> framedGarbage = garbage;
  framedGarbage[0] = 0xFF, framedGarbage[1] = 0xD8;
  framedGarbage[4998] = 0xFF, framedGarbage[4999] = 0xD9;
  // All headers with the right size, but the picture itself missing.
  std::vector<uint8_t> noScan;
  for (size_t i = 0; i + 1 < jpeg.size() && !(jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA); ++i)
    noScan.push_back(jpeg[i]);
  noScan.insert(noScan.end(), {0xFF, 0xD9});
  const size_t sampleBytes = Rgb24SampleBytes(64, 48);

  struct Case {
    const char* what;
    VideoFormat format;
    const std::vector<uint8_t>* src;
    size_t srcBytes;
    size_t dstBytes;
  };
  const Case cases[] = {
      {"YUYV one byte short", Format(kPixYUYV, 64, 48), &yuyv, yuyv.size() - 1, sampleBytes},
      {"YUYV short for its line pitch", Format(kPixYUYV, 64, 48, 130), &yuyv, yuyv.size(), sampleBytes},
      {"YUYV pitch below a line", Format(kPixYUYV, 64, 48, 100), &yuyv, yuyv.size(), sampleBytes},
      {"YUYV odd width", Format(kPixYUYV, 63, 48), &yuyv, yuyv.size(), sampleBytes},
      {"BGR3 one byte short", Format(kPixBGR24, 64, 48), &bgr, bgr.size() - 1, sampleBytes},
      {"MJPG cut short", Format(kPixMJPG, 64, 48), &jpeg, jpeg.size() / 3, sampleBytes},
      {"MJPG garbage", Format(kPixMJPG, 64, 48), &garbage, garbage.size(), sampleBytes},
      {"MJPG markers around garbage", Format(kPixMJPG, 64, 48), &framedGarbage,
       framedGarbage.size(), sampleBytes},
      {"MJPG without its scan", Format(kPixMJPG, 64, 48), &noScan, noScan.size(), sampleBytes},
      {"MJPG of another size", Format(kPixMJPG, 32, 24), &jpeg, jpeg.size(), sampleBytes},
      {"MJPG empty", Format(kPixMJPG, 64, 48), &jpeg, 0, sampleBytes},
      {"destination short", Format(kPixYUYV, 64, 48), &yuyv, yuyv.size(), sampleBytes - 1},
      {"unknown format", Format(0x3231564E, 64, 48), &yuyv, yuyv.size(), sampleBytes},
      {"no size", Format(kPixYUYV, 0, 0), &yuyv, yuyv.size(), sampleBytes},
  };
  // A good frame first, so a decoder that keeps its last picture would be caught.
  std::vector<uint8_t> good(sampleBytes);
  ASSERT_TRUE(ConvertToRgb24Sample(Format(kPixMJPG, 64, 48), jpeg.data(), jpeg.size(), good.data(),
                                   good.size()));
  for (const Case& c : cases) {
    // Exactly the bytes the case allows, so a read beyond them shows up under a sanitizer.
    std::vector<uint8_t> src(c.src->begin(), c.src->begin() + ptrdiff_t(c.srcBytes));
    std::vector<uint8_t> dst(c.dstBytes);
    EXPECT_FALSE(ConvertToRgb24Sample(c.format, src.data(), src.size(), dst.data(), dst.size()))
        << c.what;
  }
}

}  // namespace
