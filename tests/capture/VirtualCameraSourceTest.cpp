// The whole capture path with the virtual camera: the capture source opens it
// at 640x480 through the real graph (YUYV device, converter, grabber), and the
// frames it hands out are whole, upright and in order.

#include <gtest/gtest.h>

#include <cstdlib>

#include "capture/CameraGraph.h"
#include "capture/CaptureSource.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/FrameCode.h"
#include "platform/media/virtual/VirtualCameraList.h"

namespace {

// Lists only the virtual cameras, so a camera attached to the machine running
// the tests changes nothing.
class VirtualCameraSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("MORVANE_VIRTUAL_CAMERAS", "1", 1);
    media::SetDeviceLister([] { return media::ListVirtualCameras(); });
  }
  void TearDown() override {
    media::SetDeviceLister({});
    unsetenv("MORVANE_VIRTUAL_CAMERAS");
  }
};

TEST_F(VirtualCameraSourceTest, FiftyFramesAreWholeUprightAndInOrder) {
  CCaptureSource source;
  ASSERT_EQ(source.ListDevices(), std::vector<std::string>{"Morvane Virtual Camera"});
  ASSERT_TRUE(source.OpenDevice(0));

  long long last = -1;
  int frames = 0;
  // A grab waits for the camera's next frame, boundedly; allow a few empty
  // ones while the stream starts.
  for (int tries = 0; frames < 50 && tries < 500; ++tries) {
    cv::Mat* image = source.m_pCamera->GrabFrame();
    if (!image) continue;
    const long long number = media::ReadFrameCode(*image);
    if (number == last) continue;  // no newer sample in this grab
    ASSERT_EQ(image->cols, 640);
    ASSERT_EQ(image->rows, 480);
    ASSERT_EQ(image->type(), CV_8UC3);
    // The camera's picture has a white band on top and a black one at the
    // bottom: a frame left bottom-up would show them the other way round.
    const cv::Vec3b top = image->at<cv::Vec3b>(5, 320);
    const cv::Vec3b bottom = image->at<cv::Vec3b>(474, 320);
    EXPECT_GT(top[0] + top[1] + top[2], 3 * 200) << "frame " << number;
    EXPECT_LT(bottom[0] + bottom[1] + bottom[2], 3 * 50) << "frame " << number;
    ASSERT_GE(number, 0) << "no readable frame number after frame " << last;
    EXPECT_GT(number, last);
    last = number;
    ++frames;
  }
  EXPECT_EQ(frames, 50);

  source.m_pCamera->Close();
  source.m_bDeviceOpen = false;
}

}  // namespace
