// The virtual camera: a numbered, upright picture in each pixel format, in
// order, until Stop.

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include <opencv2/core.hpp>

#include "FrameSink.h"
#include "platform/media/FrameCode.h"
#include "platform/media/PixelConvert.h"
#include "platform/media/virtual/VirtualCamera.h"

namespace {

using namespace media;

VirtualCameraConfig Config(uint32_t fourcc, int width, int height, int fps = 50) {
  VirtualCameraConfig config;
  config.name = "Test";
  config.fourcc = fourcc;
  config.width = width;
  config.height = height;
  config.fps = fps;
  return config;
}

// The frame as the capture graph would see it, turned top row first again.
cv::Mat Picture(const VideoFormat& format, const ReceivedFrame& frame) {
  std::vector<uint8_t> sample(Rgb24SampleBytes(format.width, format.height));
  if (!ConvertToRgb24Sample(format, frame.bytes.data(), frame.bytes.size(), sample.data(),
                            sample.size()))
    return {};
  cv::Mat bottomUp(format.height, format.width, CV_8UC3, sample.data(), Rgb24Stride(format.width));
  cv::Mat picture;
  cv::flip(bottomUp, picture, 0);
  return picture;
}

TEST(VirtualCamera, StreamsNumberedUprightFramesInEachFormat) {
  const VirtualCameraConfig configs[] = {Config(kPixYUYV, 640, 480), Config(kPixMJPG, 320, 240),
                                         Config(kPixBGR24, 176, 144)};
  for (const VirtualCameraConfig& config : configs) {
    SCOPED_TRACE(testing::Message() << config.width << "x" << config.height);
    VirtualCamera camera(config);
    VideoFormat format;
    ASSERT_EQ(camera.GetFormat(format), 0);
    FrameSink sink;
    ASSERT_EQ(camera.Start(sink.OnFrame(), sink.OnEnd()), 0);
    ASSERT_TRUE(sink.WaitForFrames(4));
    camera.Stop();

    const auto frames = sink.Frames();
    EXPECT_EQ(frames.front().sequence, 0u);
    for (size_t i = 0; i < frames.size(); ++i) {
      if (i > 0) {
        EXPECT_GT(frames[i].sequence, frames[i - 1].sequence);
      }
      const cv::Mat picture = Picture(format, frames[i]);
      ASSERT_FALSE(picture.empty());
      EXPECT_EQ(ReadFrameCode(picture), (long long)frames[i].sequence);
      // White band on top, black at the bottom.
      const cv::Scalar top = cv::mean(picture.row(0)), bottom = cv::mean(picture.row(picture.rows - 1));
      EXPECT_GT(top[0] + top[1] + top[2], 3 * 230.0);
      EXPECT_LT(bottom[0] + bottom[1] + bottom[2], 3 * 25.0);
    }
  }
}

TEST(VirtualCamera, KeepsItsOwnFormat) {
  VirtualCamera camera(Config(kPixYUYV, 320, 240, 25));
  VideoFormat current;
  ASSERT_EQ(camera.GetFormat(current), 0);
  EXPECT_EQ(current.fourcc, kPixYUYV);
  EXPECT_EQ(current.bytesPerLine, 640u);
  EXPECT_EQ(current.sizeImage, 320u * 240 * 2);
  EXPECT_EQ(current.intervalNumerator, 1u);
  EXPECT_EQ(current.intervalDenominator, 25u);

  VideoFormat wanted = current, applied;
  ASSERT_EQ(camera.SetFormat(wanted, applied), 0);
  EXPECT_EQ(applied.width, 320);
  wanted.width = 640;
  wanted.height = 480;
  wanted.fourcc = kPixMJPG;
  ASSERT_EQ(camera.SetFormat(wanted, applied), 0);
  EXPECT_EQ(applied.fourcc, kPixYUYV);
  EXPECT_EQ(applied.width, 320);
  EXPECT_EQ(applied.height, 240);

  EXPECT_EQ(camera.Inputs().size(), 1u);
  EXPECT_EQ(camera.SelectInput(0), 0);
  EXPECT_EQ(camera.SelectInput(1), EINVAL);
}

TEST(VirtualCamera, NoFrameArrivesAfterStopReturns) {
  VirtualCamera camera(Config(kPixYUYV, 160, 120, 100));
  std::atomic<bool> stopped{false}, lateFrame{false};
  std::atomic<int> frames{0};
  ASSERT_EQ(camera.Start(
                [&](const FrameView&) {
                  if (stopped) lateFrame = true;
                  ++frames;
                },
                nullptr),
            0);
  while (frames < 3) std::this_thread::yield();
  camera.Stop();
  stopped = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // five frame periods
  EXPECT_FALSE(lateFrame);
  camera.Stop();
}

TEST(VirtualCamera, RestartsAndRefusesASecondStart) {
  VirtualCamera camera(Config(kPixYUYV, 160, 120, 100));
  FrameSink first, second;
  ASSERT_EQ(camera.Start(first.OnFrame(), first.OnEnd()), 0);
  EXPECT_EQ(camera.Start(second.OnFrame(), second.OnEnd()), EBUSY);
  ASSERT_TRUE(first.WaitForFrames(2));
  camera.Stop();
  ASSERT_EQ(camera.Start(second.OnFrame(), second.OnEnd()), 0);
  ASSERT_TRUE(second.WaitForFrames(1));
  camera.Stop();
  EXPECT_EQ(second.Frames().front().sequence, 0u);
}

TEST(VirtualCamera, StopFromTheFrameHandler) {
  VirtualCamera camera(Config(kPixYUYV, 160, 120, 100));
  std::atomic<int> handled{0};
  std::promise<void> stopped;
  ASSERT_EQ(camera.Start(
                [&](const FrameView&) {
                  if (++handled == 1) {
                    camera.Stop();
                    stopped.set_value();
                  }
                },
                nullptr),
            0);
  ASSERT_EQ(stopped.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  camera.Stop();
  EXPECT_EQ(handled, 1);
}

}  // namespace
