// The capture source: the device list for the operator, and opening by index
// with its refusals.

#include <gtest/gtest.h>

#include <optional>

#include "capture/CaptureSource.h"
#include "media/FakeCaptureDevice.h"

namespace {

class CaptureSourceTest : public ::testing::Test {
 protected:
  void List(std::vector<media::DeviceEntry> devices) { devices_.emplace(std::move(devices)); }

  // True when the open camera hands out the picture just pushed.
  bool Delivers(fake::DeviceState& device, uint8_t seed) {
    device.Push(fake::BgrFrame(640, 480, seed));
    cv::Mat* image = source_.m_pCamera->GrabFrame();
    return image && image->at<cv::Vec3b>(0, 0) == cv::Vec3b(0, seed, 255);
  }

  // What the recorder window does to close the camera.
  void CloseCamera() {
    source_.m_pCamera->Close();
    source_.m_bDeviceOpen = false;
  }

  std::optional<fake::ScopedDevices> devices_;
  CCaptureSource source_;
};

TEST_F(CaptureSourceTest, StartsAskingFor640x480WithNothingOpen) {
  EXPECT_EQ(source_.m_nRequestedWidth, 640);
  EXPECT_EQ(source_.m_nRequestedHeight, 480);
  EXPECT_FALSE(source_.m_bDeviceOpen);
  EXPECT_EQ(source_.m_nSelectedDevice, -1);
  EXPECT_NE(source_.m_pCamera, nullptr);
}

TEST_F(CaptureSourceTest, NoDeviceListsNothingAndOpensNothing) {
  List({});
  EXPECT_TRUE(source_.ListDevices().empty());
  EXPECT_EQ(source_.m_nDeviceCount, 0);
  EXPECT_FALSE(source_.OpenDevice(0));
}

TEST_F(CaptureSourceTest, ListKeepsPositionsAndAnUnreadableNameIsEmptyAndCannotOpen) {
  List({fake::Entry("A", fake::NewDevice(media::kPixBGR24, 640, 480)),
        fake::Entry("B", fake::NewDevice(media::kPixBGR24, 640, 480), /*nameReadable=*/false),
        fake::Entry("C", fake::NewDevice(media::kPixBGR24, 640, 480))});
  EXPECT_EQ(source_.ListDevices(), (std::vector<std::string>{"A", "", "C"}));
  EXPECT_EQ(source_.m_nDeviceCount, 3);
  EXPECT_FALSE(source_.OpenDevice(1));
  EXPECT_FALSE(source_.m_bDeviceOpen);
  EXPECT_EQ(source_.m_nSelectedDevice, -1);
}

TEST_F(CaptureSourceTest, RefusalsLeaveTheOpenDeviceDelivering) {
  auto first = fake::NewDevice(media::kPixBGR24, 640, 480);
  List({fake::Entry("A", first), fake::Entry("B", fake::NewDevice(media::kPixBGR24, 640, 480))});
  ASSERT_TRUE(source_.OpenDevice(0));
  EXPECT_TRUE(source_.m_bDeviceOpen);
  EXPECT_EQ(source_.m_nSelectedDevice, 0);
  EXPECT_TRUE(Delivers(*first, 1));

  EXPECT_FALSE(source_.OpenDevice(2)) << "index equal to the device count";
  EXPECT_TRUE(Delivers(*first, 2));
  EXPECT_FALSE(source_.OpenDevice(0)) << "the device open now";
  EXPECT_TRUE(Delivers(*first, 3));
  EXPECT_EQ(source_.m_nSelectedDevice, 0);
  EXPECT_EQ(first->devicesOpened, 1) << "the camera was not touched";
}

TEST_F(CaptureSourceTest, FailedOpenKeepsTheDeviceSelectedBefore) {
  List({fake::Entry("A", fake::NewDevice(media::kPixBGR24, 640, 480)), fake::Unopenable("broken")});
  ASSERT_TRUE(source_.OpenDevice(0));
  CloseCamera();
  EXPECT_FALSE(source_.OpenDevice(1));
  EXPECT_EQ(source_.m_nSelectedDevice, 0);
  EXPECT_FALSE(source_.m_bDeviceOpen);
}

TEST_F(CaptureSourceTest, ReopeningTheSameDeviceBuildsANewGraphAndFramesFlowAgain) {
  auto device = fake::NewDevice(media::kPixBGR24, 640, 480);
  List({fake::Entry("A", device)});
  ASSERT_TRUE(source_.OpenDevice(0));
  EXPECT_TRUE(Delivers(*device, 1));
  CloseCamera();
  EXPECT_EQ(device->devicesAlive, 0);
  ASSERT_TRUE(source_.OpenDevice(0));
  EXPECT_EQ(device->devicesOpened, 2);
  EXPECT_TRUE(Delivers(*device, 2));
}

TEST_F(CaptureSourceTest, DeviceDetachedSinceTheListIsRefused) {
  List({fake::Entry("A", fake::NewDevice(media::kPixBGR24, 640, 480)),
        fake::Entry("B", fake::NewDevice(media::kPixBGR24, 640, 480))});
  EXPECT_EQ(source_.ListDevices().size(), 2u);
  List({fake::Entry("A", fake::NewDevice(media::kPixBGR24, 640, 480))});
  EXPECT_FALSE(source_.OpenDevice(1));
  EXPECT_EQ(source_.m_nDeviceCount, 1);
}

}  // namespace
