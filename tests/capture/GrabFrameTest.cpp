// Fetching frames: the image is made once and reused, a grab without a new
// sample gives the previous image as it was, and a device that stops or
// goes away never holds a grab up.

#include <gtest/gtest.h>

#include "capture/CameraFixture.h"
#include "capture/FakeSourceFilter.h"

namespace {

TEST_F(CameraTest, LaterGrabsReuseTheImageWithTheNewPicture) {
  auto device = OpenOne(fake::NewDevice(media::kPixBGR24, 640, 480));
  EXPECT_EQ(camera_.GrabFrame(), nullptr) << "no sample yet";
  device->Push(fake::BgrFrame(640, 480, 1));
  cv::Mat* first = camera_.GrabFrame();
  ASSERT_NE(first, nullptr);
  device->Push(fake::BgrFrame(640, 480, 2));
  cv::Mat* second = camera_.GrabFrame();
  EXPECT_EQ(second, first);
  EXPECT_EQ(At(*second, 0, 0), cv::Vec3b(0, 2, 255));
}

// The wait is bounded, so this also covers a camera that stops delivering.
TEST_F(CameraTest, GrabWithoutANewSampleGivesThePreviousImageUnflipped) {
  auto device = OpenOne(fake::NewDevice(media::kPixBGR24, 640, 480));
  device->Push(fake::BgrFrame(640, 480, 3));
  cv::Mat* image = camera_.GrabFrame();
  ASSERT_NE(image, nullptr);
  const cv::Mat before = image->clone();
  EXPECT_EQ(camera_.GrabFrame(), image);
  EXPECT_EQ(cv::norm(*image, before, cv::NORM_INF), 0.0) << "not copied or flipped again";
}

TEST_F(CameraTest, UnplugMidStreamKeepsThePreviousImageAndClosesNormally) {
  auto device = OpenOne(fake::NewDevice(media::kPixYUYV, 640, 480));
  device->Push(fake::YuyvFrame(640, 480, 235, 16));
  cv::Mat* image = camera_.GrabFrame();
  ASSERT_NE(image, nullptr);
  const cv::Mat before = image->clone();
  device->Unplug();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(camera_.GrabFrame(), image);
    EXPECT_EQ(cv::norm(*image, before, cv::NORM_INF), 0.0);
  }
  camera_.Close();
  EXPECT_EQ(device->devicesAlive, 0);
}

TEST_F(CameraTest, SampleOfAnotherSizeIsNeverReadAsAPicture) {
  fake::ScopedFakeSource source({fake::VideoType(MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, 8, 4, 24), {}, {}, true});
  List({fake::Entry("cam", fake::NewDevice(media::kPixYUYV, 8, 4))});
  ASSERT_TRUE(camera_.Open(0, 8, 4));
  ASSERT_NE(source.log->last, nullptr);

  source.log->last->Push(std::vector<uint8_t>(50, 9));
  EXPECT_EQ(camera_.GrabFrame(), nullptr) << "a short sample makes no image";

  std::vector<uint8_t> picture(96);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = uint8_t(i);
  source.log->last->Push(picture);
  cv::Mat* image = camera_.GrabFrame();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->data[0], 72) << "the last sample row, now on top";
  const cv::Mat before = image->clone();

  source.log->last->Push(std::vector<uint8_t>(4096, 9));
  EXPECT_EQ(camera_.GrabFrame(), image) << "an oversized sample leaves the previous image";
  EXPECT_EQ(cv::norm(*image, before, cv::NORM_INF), 0.0);
}

TEST_F(CameraTest, CloseIsAllowedInEveryStateAndReleasesTheDevice) {
  camera_.Close();
  camera_.Close();
  EXPECT_EQ(camera_.GrabFrame(), nullptr);

  auto device = OpenOne(fake::NewDevice(media::kPixBGR24, 640, 480));
  device->Push(fake::BgrFrame(640, 480, 1));
  ASSERT_NE(camera_.GrabFrame(), nullptr);
  camera_.Close();
  EXPECT_EQ(device->devicesAlive, 0) << "every reference to the graph was released";
  EXPECT_FALSE(device->streaming);
  EXPECT_EQ(camera_.GrabFrame(), nullptr);
  camera_.Close();

  // The same camera opens the device again and frames flow.
  ASSERT_TRUE(camera_.Open(0, 640, 480));
  device->Push(fake::BgrFrame(640, 480, 5));
  cv::Mat* image = camera_.GrabFrame();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(At(*image, 0, 0), cv::Vec3b(0, 5, 255));
}

TEST(CameraLifetimeTest, DestructionClosesARunningCamera) {
  auto device = fake::NewDevice(media::kPixYUYV, 640, 480);
  fake::ScopedDevices list({fake::Entry("cam", device)});
  {
    CCameraGraph camera;
    ASSERT_TRUE(camera.Open(0, 640, 480));
    device->Push(fake::YuyvFrame(640, 480, 100, 100));
    ASSERT_NE(camera.GrabFrame(), nullptr);
    EXPECT_TRUE(device->streaming);
  }
  EXPECT_EQ(device->devicesAlive, 0);
}

}  // namespace
