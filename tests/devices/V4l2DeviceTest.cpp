// The V4L2 device code driven through a fake device: format negotiation,
// inputs, streaming, and the ways a stream fails.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <future>
#include <memory>

#include "FakeV4l2.h"
#include "FrameSink.h"
#include "platform/media/v4l2/V4l2Device.h"

namespace {

using media::kPixMJPG;
using media::kPixYUYV;
using media::VideoFormat;

constexpr char kPath[] = "/dev/video0";
constexpr uint32_t kPixH264 = media::MakeFourCC('H', '2', '6', '4');

int OpenFdCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++count;
  return count;
}

class V4l2DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { AddNode(kPath, CameraNode()); }
  // A webcam in YUYV 320x240 that can also do MJPG and 640x480.
  static fake::Node CameraNode() {
    fake::Node node;
    node.formats = {kPixYUYV, kPixMJPG};
    node.sizes = {{640, 480}, {320, 240}};
    node.fourcc = kPixYUYV;
    node.width = 320;
    node.height = 240;
    node.inputs = {{"Camera 1", V4L2_INPUT_TYPE_CAMERA}};
    return node;
  }
  void AddNode(const std::string& path, fake::Node node) { m_fake->AddNode(path, std::move(node)); }
  std::unique_ptr<media::V4l2Device> Open(const char* path = kPath) {
    return media::V4l2Device::Open(m_fake, path);
  }
  // A whole 320x240 YUYV frame filled with `value`.
  static std::vector<uint8_t> Frame(uint8_t value) { return std::vector<uint8_t>(320 * 240 * 2, value); }
  void Push(uint8_t value, uint32_t sequence) { m_fake->Push({Frame(value), sequence}); }

  std::shared_ptr<fake::Device> m_fake = std::make_shared<fake::Device>();
  FrameSink m_sink;
};

TEST_F(V4l2DeviceTest, ReportsTheDriversCurrentFormat) {
  auto device = Open();
  ASSERT_TRUE(device);
  VideoFormat format;
  ASSERT_EQ(device->GetFormat(format), 0);
  EXPECT_EQ(format.fourcc, kPixYUYV);
  EXPECT_EQ(format.width, 320);
  EXPECT_EQ(format.height, 240);
  EXPECT_EQ(format.bytesPerLine, 640u);
  EXPECT_EQ(format.sizeImage, 320u * 240 * 2);
  EXPECT_EQ(format.intervalNumerator, 1u);
  EXPECT_EQ(format.intervalDenominator, 30u);
}

TEST_F(V4l2DeviceTest, SetFormatReportsWhatTheDriverTook) {
  struct Case {
    uint32_t fourcc;
    int width, height;
    uint32_t appliedFourcc;
    int appliedWidth, appliedHeight;
  };
  const Case cases[] = {
      {kPixYUYV, 640, 480, kPixYUYV, 640, 480},
      {kPixYUYV, 400, 300, kPixYUYV, 320, 240},   // the nearest size the driver has
      {kPixMJPG, 1920, 1080, kPixMJPG, 640, 480},
      {0, 640, 480, kPixYUYV, 640, 480},          // no pixel format: keep the current one
      {kPixH264, 640, 480, kPixYUYV, 640, 480},   // not offered: the driver picks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    AddNode(kPath, CameraNode());
    auto device = Open();
    ASSERT_TRUE(device);
    VideoFormat wanted, applied, current;
    wanted.fourcc = c.fourcc;
    wanted.width = c.width;
    wanted.height = c.height;
    ASSERT_EQ(device->SetFormat(wanted, applied), 0);
    EXPECT_EQ(applied.fourcc, c.appliedFourcc);
    EXPECT_EQ(applied.width, c.appliedWidth);
    EXPECT_EQ(applied.height, c.appliedHeight);
    ASSERT_EQ(device->GetFormat(current), 0);
    EXPECT_EQ(current.width, applied.width);
    EXPECT_EQ(current.sizeImage, applied.sizeImage);
  }
}

TEST_F(V4l2DeviceTest, SetFormatRidesOutInterruptedCalls) {
  auto device = Open();
  ASSERT_TRUE(device);
  m_fake->FailIoctl(VIDIOC_S_FMT, EINTR, 3);
  VideoFormat wanted, applied;
  wanted.fourcc = kPixYUYV;
  wanted.width = 640;
  wanted.height = 480;
  ASSERT_EQ(device->SetFormat(wanted, applied), 0);
  EXPECT_EQ(applied.width, 640);
  EXPECT_EQ(m_fake->Calls(VIDIOC_S_FMT), 4);
}

TEST_F(V4l2DeviceTest, SetFormatPassesOnTheDriversRefusal) {
  auto device = Open();
  ASSERT_TRUE(device);
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  VideoFormat wanted, applied;
  wanted.fourcc = kPixYUYV;
  wanted.width = 640;
  wanted.height = 480;
  EXPECT_EQ(device->SetFormat(wanted, applied), EBUSY);
  wanted.height = -480;
  EXPECT_EQ(device->SetFormat(wanted, applied), EINVAL);
}

TEST_F(V4l2DeviceTest, OpensInAFormatItCanConvertWhenOffered) {
  fake::Node node;
  node.formats = {kPixH264, kPixMJPG};
  node.sizes = {{640, 480}};
  node.fourcc = kPixH264;
  node.width = 640;
  node.height = 480;
  AddNode("/dev/video3", node);
  node.formats = {kPixH264};
  AddNode("/dev/video4", node);

  VideoFormat format;
  auto convertible = Open("/dev/video3");
  ASSERT_TRUE(convertible);
  ASSERT_EQ(convertible->GetFormat(format), 0);
  EXPECT_EQ(format.fourcc, kPixMJPG);
  EXPECT_EQ(format.width, 640);

  auto onlyH264 = Open("/dev/video4");
  ASSERT_TRUE(onlyH264);
  ASSERT_EQ(onlyH264->GetFormat(format), 0);
  EXPECT_EQ(format.fourcc, kPixH264);
}

TEST_F(V4l2DeviceTest, OpensOnlyStreamingCaptureNodes) {
  fake::Node metadata;
  metadata.deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
  AddNode("/dev/video1", metadata);
  fake::Node readOnly;
  readOnly.deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_READWRITE;
  AddNode("/dev/video2", readOnly);

  EXPECT_FALSE(Open("/dev/video1"));
  EXPECT_FALSE(Open("/dev/video2"));
  EXPECT_FALSE(Open("/dev/video9"));
  EXPECT_EQ(m_fake->OpenCount(), 0);
  {
    auto device = Open();
    EXPECT_TRUE(device);
    EXPECT_EQ(m_fake->OpenCount(), 1);
  }
  EXPECT_EQ(m_fake->OpenCount(), 0);
}

TEST_F(V4l2DeviceTest, InputsMapToConnectorTypes) {
  fake::Node card;
  card.inputs = {{"Television", V4L2_INPUT_TYPE_TUNER},
                 {"Camera", V4L2_INPUT_TYPE_CAMERA},
                 {"Composite1", V4L2_INPUT_TYPE_CAMERA},
                 {"S-Video", V4L2_INPUT_TYPE_CAMERA},
                 {"CVBS", V4L2_INPUT_TYPE_CAMERA}};
  AddNode("/dev/video5", card);
  auto device = Open("/dev/video5");
  ASSERT_TRUE(device);
  const auto inputs = device->Inputs();
  ASSERT_EQ(inputs.size(), 5u);
  const int expected[] = {media::kPhysVideoTuner, media::kPhysVideoParallelDigital,
                          media::kPhysVideoComposite, media::kPhysVideoSVideo,
                          media::kPhysVideoComposite};
  for (size_t i = 0; i < inputs.size(); ++i) {
    EXPECT_EQ(inputs[i].name, card.inputs[i].first);
    EXPECT_EQ(inputs[i].physicalType, expected[i]) << inputs[i].name;
  }
  EXPECT_EQ(device->SelectInput(2), 0);
  EXPECT_EQ(m_fake->SelectedInput("/dev/video5"), 2);
  EXPECT_EQ(device->SelectInput(5), EINVAL);
  EXPECT_EQ(device->SelectInput(-1), EINVAL);
  EXPECT_EQ(m_fake->SelectedInput("/dev/video5"), 2);
}

TEST_F(V4l2DeviceTest, StreamsFramesAsTheDriverFilledThem) {
  auto device = Open();
  ASSERT_TRUE(device);
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  EXPECT_TRUE(m_fake->Streaming(kPath));
  // More frames than buffers: each must come back to the driver.
  for (uint8_t i = 0; i < 10; ++i) Push(uint8_t(10 + i), i);
  ASSERT_TRUE(m_sink.WaitForFrames(10));
  device->Stop();

  const auto frames = m_sink.Frames();
  ASSERT_EQ(frames.size(), 10u);
  for (uint8_t i = 0; i < 10; ++i) {
    EXPECT_EQ(frames[i].sequence, i);
    EXPECT_EQ(frames[i].bytes, Frame(uint8_t(10 + i)));
  }
  EXPECT_TRUE(m_sink.Ends().empty());
  EXPECT_FALSE(m_fake->Streaming(kPath));
  EXPECT_EQ(m_fake->MappedCount(), 0);
  EXPECT_EQ(m_fake->BufferCount(kPath), 0u);
  EXPECT_EQ(device->Stats().delivered, 10u);
}

TEST_F(V4l2DeviceTest, BadBuffersAreDroppedAndSequenceGapsCounted) {
  auto device = Open();
  ASSERT_TRUE(device);
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  m_fake->Push({Frame(1), 0});
  m_fake->Push({Frame(2), 1, V4L2_BUF_FLAG_ERROR});
  m_fake->Push({Frame(3), 2, 0, 0});                        // nothing in it
  m_fake->Push({std::vector<uint8_t>(1000, 4), 3});         // torn
  m_fake->Push({Frame(5), 4, 0, 320 * 240 * 2 + 1});        // more than the buffer holds
  m_fake->Push({Frame(6), 7});                               // 5 and 6 never came
  ASSERT_TRUE(m_sink.WaitForFrames(2));
  device->Stop();

  const auto frames = m_sink.Frames();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].bytes, Frame(1));
  EXPECT_EQ(frames[1].bytes, Frame(6));
  EXPECT_EQ(frames[1].sequence, 7u);
  const media::StreamStats stats = device->Stats();
  EXPECT_EQ(stats.delivered, 2u);
  EXPECT_EQ(stats.rejected, 4u);
  EXPECT_EQ(stats.lost, 2u);
}

TEST_F(V4l2DeviceTest, InterruptedPollAndDequeueAreRetried) {
  auto device = Open();
  ASSERT_TRUE(device);
  m_fake->FailPoll(EINTR, 3);
  m_fake->FailIoctl(VIDIOC_DQBUF, EINTR, 3);
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  for (uint8_t i = 0; i < 3; ++i) Push(i, i);
  ASSERT_TRUE(m_sink.WaitForFrames(3));
  device->Stop();
  EXPECT_EQ(m_sink.Frames().back().bytes, Frame(2));
  EXPECT_TRUE(m_sink.Ends().empty());
}

TEST_F(V4l2DeviceTest, TransientDequeueErrorsKeepTheStreamGoing) {
  auto device = Open();
  ASSERT_TRUE(device);
  m_fake->FailIoctl(VIDIOC_DQBUF, EIO, 2);  // signal loss on an analogue input
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  Push(1, 0);
  Push(2, 1);
  ASSERT_TRUE(m_sink.WaitForFrames(2));
  device->Stop();
  EXPECT_TRUE(m_sink.Ends().empty());
  EXPECT_EQ(device->Stats().rejected, 2u);
}

TEST_F(V4l2DeviceTest, ABufferIndexOutOfRangeEndsTheStream) {
  auto device = Open();
  ASSERT_TRUE(device);
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  m_fake->Push({Frame(1), 0, 0, -1, 99});
  ASSERT_TRUE(m_sink.WaitForEnd());
  device->Stop();
  EXPECT_TRUE(m_sink.Frames().empty());
  EXPECT_EQ(m_sink.Ends(), std::vector<int>{EINVAL});
  EXPECT_EQ(m_fake->MappedCount(), 0);
}

TEST_F(V4l2DeviceTest, UnpluggedDeviceEndsTheStreamOnce) {
  for (const fake::Unplug how : {fake::Unplug::DequeueFails, fake::Unplug::PollError}) {
    SCOPED_TRACE(how == fake::Unplug::DequeueFails ? "DQBUF fails" : "poll reports an error");
    auto fakeDevice = std::make_shared<fake::Device>();
    fakeDevice->AddNode(kPath, CameraNode());
    FrameSink sink;
    auto device = media::V4l2Device::Open(fakeDevice, kPath);
    ASSERT_TRUE(device);
    ASSERT_EQ(device->Start(sink.OnFrame(), sink.OnEnd()), 0);
    fakeDevice->Push({Frame(7), 0});
    ASSERT_TRUE(sink.WaitForFrames(1));
    fakeDevice->Unplug(how);
    ASSERT_TRUE(sink.WaitForEnd());
    device->Stop();
    device->Stop();
    EXPECT_EQ(sink.Ends(), std::vector<int>{ENODEV});
    EXPECT_EQ(fakeDevice->MappedCount(), 0);
    device.reset();
    EXPECT_EQ(fakeDevice->OpenCount(), 0);
  }
}

TEST_F(V4l2DeviceTest, StopWakesAThreadBlockedInPoll) {
  auto device = Open();
  ASSERT_TRUE(device);
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  ASSERT_TRUE(m_fake->WaitForBlockedPoll());
  device->Stop();
  // Woken by the stop event, not by the poll's own timeout.
  EXPECT_TRUE(m_fake->PollWokenByOtherFd());
  EXPECT_FALSE(m_fake->Streaming(kPath));
  EXPECT_TRUE(m_sink.Ends().empty());
}

TEST_F(V4l2DeviceTest, FailedStartGivesBackWhatItTook) {
  auto device = Open();
  ASSERT_TRUE(device);
  const int fdsBefore = OpenFdCount();
  m_fake->FailMmapAt(2);
  EXPECT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), ENOMEM);
  EXPECT_EQ(m_fake->MappedCount(), 0);
  EXPECT_EQ(m_fake->BufferCount(kPath), 0u);
  EXPECT_EQ(OpenFdCount(), fdsBefore);

  m_fake->FailMmapAt(-1);
  m_fake->FailIoctl(VIDIOC_STREAMON, EIO);
  EXPECT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), EIO);
  EXPECT_EQ(m_fake->MappedCount(), 0);
  EXPECT_EQ(OpenFdCount(), fdsBefore);

  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  Push(9, 0);
  EXPECT_TRUE(m_sink.WaitForFrames(1));
}

TEST_F(V4l2DeviceTest, StartAndStopFollowTheStreamsLife) {
  auto device = Open();
  ASSERT_TRUE(device);
  device->Stop();  // before any start
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  EXPECT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), EBUSY);
  Push(1, 0);
  ASSERT_TRUE(m_sink.WaitForFrames(1));
  device->Stop();
  device->Stop();
  ASSERT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
  Push(2, 1);
  ASSERT_TRUE(m_sink.WaitForFrames(2));
  EXPECT_EQ(m_sink.Frames()[1].bytes, Frame(2));
}

TEST_F(V4l2DeviceTest, StopFromTheFrameHandlerEndsTheLoop) {
  auto device = Open();
  ASSERT_TRUE(device);
  std::atomic<int> handled{0};
  std::promise<void> stopped;
  ASSERT_EQ(device->Start(
                [&](const media::FrameView&) {
                  ++handled;
                  device->Stop();  // must neither deadlock nor join itself
                  stopped.set_value();
                },
                m_sink.OnEnd()),
            0);
  Push(1, 0);
  Push(2, 1);
  ASSERT_EQ(stopped.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  device->Stop();  // joins the loop the handler ended
  EXPECT_EQ(handled, 1);
  EXPECT_FALSE(m_fake->Streaming(kPath));
  EXPECT_EQ(device->Start(m_sink.OnFrame(), m_sink.OnEnd()), 0);
}

TEST_F(V4l2DeviceTest, StopFromTheFirstFrameHandlerBeforeStartReturns) {
  // Frames already waiting when the stream starts reach the handler at once,
  // possibly while Start is still on its way back; Stop from there must end
  // the loop all the same, without deadlock or a thread joining itself.
  // The window is narrow: many rounds give it a fair chance to open.
  for (int round = 0; round < 2000; ++round) {
    auto device = Open();
    ASSERT_TRUE(device);
    Push(1, 0);
    Push(2, 1);
    std::promise<void> stopped;
    std::atomic<bool> first{true};
    ASSERT_EQ(device->Start(
                  [&](const media::FrameView&) {
                    if (first.exchange(false)) {
                      device->Stop();
                      stopped.set_value();
                    }
                  },
                  m_sink.OnEnd()),
              0);
    ASSERT_EQ(stopped.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    device->Stop();
    EXPECT_FALSE(m_fake->Streaming(kPath)) << "round " << round;
  }
}

}  // namespace
