// The device list: V4L2 capture nodes in node order, then the virtual
// cameras; a test lister in their place.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "FakeV4l2.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/v4l2/V4l2DeviceList.h"

namespace {

using namespace media;

TEST(DeviceList, VideoNodesInNumericOrder) {
  const auto dir = std::filesystem::temp_directory_path() / ("morvane-dev-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  for (const char* name : {"video10", "video2", "video0", "videoX", "vbi0", "video", "video1a", "media0"})
    std::ofstream(dir / name).put('x');
  const auto paths = VideoNodePaths(dir.string());
  std::filesystem::remove_all(dir);
  const std::vector<std::string> expected = {(dir / "video0").string(), (dir / "video2").string(),
                                             (dir / "video10").string()};
  EXPECT_EQ(paths, expected);
  EXPECT_TRUE(VideoNodePaths("/no/such/dir").empty());
}

TEST(DeviceList, ListsCaptureNodesByCardName) {
  auto fakeDevice = std::make_shared<fake::Device>();
  fake::Node camera;
  camera.card = "USB Camera";
  camera.formats = {kPixYUYV};
  camera.sizes = {{640, 480}};
  camera.fourcc = kPixYUYV;
  camera.width = 640;
  camera.height = 480;
  fake::Node metadata = camera;
  metadata.deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
  fake::Node unnamed = camera;
  unnamed.card = "";
  fake::Node longName = camera;
  longName.card = std::string(32, 'L');  // fills the field, no NUL
  fakeDevice->AddNode("/dev/video0", camera);
  fakeDevice->AddNode("/dev/video1", metadata);
  fakeDevice->AddNode("/dev/video2", unnamed);
  fakeDevice->AddNode("/dev/video3", longName);

  const auto devices = ListV4l2Devices(
      fakeDevice, {"/dev/video0", "/dev/video1", "/dev/video2", "/dev/video3", "/dev/video4"});
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_EQ(devices[0].name, "USB Camera");
  EXPECT_EQ(devices[1].name, "/dev/video2");
  EXPECT_EQ(devices[2].name, std::string(32, 'L'));
  EXPECT_EQ(fakeDevice->OpenCount(), 0) << "listing leaves nodes open";

  auto device = devices[0].open();
  ASSERT_TRUE(device);
  VideoFormat format;
  EXPECT_EQ(device->GetFormat(format), 0);
  EXPECT_EQ(format.width, 640);
}

class DeviceListDefault : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("MORVANE_VIRTUAL_CAMERAS");
    SetDeviceLister(nullptr);
  }
};

TEST_F(DeviceListDefault, VirtualCamerasFollowTheRealDevices) {
  unsetenv("MORVANE_VIRTUAL_CAMERAS");
  const size_t real = ListCaptureDevices().size();
  setenv("MORVANE_VIRTUAL_CAMERAS", "Front:YUYV:320x240@25;Back:MJPG", 1);
  const auto devices = ListCaptureDevices();
  ASSERT_EQ(devices.size(), real + 2);
  EXPECT_EQ(devices[real].name, "Front");
  EXPECT_EQ(devices[real + 1].name, "Back");
  auto camera = devices[real].open();
  ASSERT_TRUE(camera);
  VideoFormat format;
  ASSERT_EQ(camera->GetFormat(format), 0);
  EXPECT_EQ(format.width, 320);
}

TEST_F(DeviceListDefault, ATestListerReplacesTheDefaultUntilCleared) {
  setenv("MORVANE_VIRTUAL_CAMERAS", "1", 1);
  const size_t normal = ListCaptureDevices().size();
  int calls = 0;
  SetDeviceLister([&] {
    ++calls;
    DeviceEntry entry;
    entry.name = "Stand-in";
    entry.nameReadable = false;
    return std::vector<DeviceEntry>{entry};
  });
  const auto devices = ListCaptureDevices();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].name, "Stand-in");
  EXPECT_FALSE(devices[0].nameReadable);
  ListCaptureDevices();
  EXPECT_EQ(calls, 2) << "the list is taken afresh at every call";
  SetDeviceLister(nullptr);
  EXPECT_EQ(ListCaptureDevices().size(), normal);
}

}  // namespace
