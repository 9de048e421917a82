// Reading MORVANE_VIRTUAL_CAMERAS.

#include <gtest/gtest.h>

#include "platform/media/virtual/VirtualCameraConfig.h"

namespace {

using namespace media;

struct Expected {
  std::string name;
  uint32_t fourcc;
  int width, height, fps;
};

void ExpectCameras(const char* value, const std::vector<Expected>& expected) {
  SCOPED_TRACE(std::string("value \"") + value + "\"");
  const auto cameras = ParseVirtualCameras(value);
  ASSERT_EQ(cameras.size(), expected.size());
  for (size_t i = 0; i < cameras.size(); ++i) {
    EXPECT_EQ(cameras[i].name, expected[i].name);
    EXPECT_EQ(cameras[i].fourcc, expected[i].fourcc);
    EXPECT_EQ(cameras[i].width, expected[i].width);
    EXPECT_EQ(cameras[i].height, expected[i].height);
    EXPECT_EQ(cameras[i].fps, expected[i].fps);
  }
}

const Expected kDefault{"Morvane Virtual Camera", kPixYUYV, 640, 480, 25};

TEST(VirtualCameraConfig, OffUnlessAsked) {
  for (const char* value : {"", "0", "  ", "00", "9", "100", ";", " ; ;"})
    ExpectCameras(value, {});
}

TEST(VirtualCameraConfig, ACountGivesDefaultCameras) {
  ExpectCameras("1", {kDefault});
  ExpectCameras(" 2 ", {kDefault, {"Morvane Virtual Camera 2", kPixYUYV, 640, 480, 25}});
  EXPECT_EQ(ParseVirtualCameras("8").size(), 8u);
}

TEST(VirtualCameraConfig, ListsGiveEachCameraItsOwnFormat) {
  ExpectCameras("Front:YUYV:640x480@25;Back:MJPG:320x240@15",
                {{"Front", kPixYUYV, 640, 480, 25}, {"Back", kPixMJPG, 320, 240, 15}});
  ExpectCameras("Side", {{"Side", kPixYUYV, 640, 480, 25}});
  ExpectCameras("Top:bgr3", {{"Top", kPixBGR24, 640, 480, 25}});
  ExpectCameras("A::320x240", {{"A", kPixYUYV, 320, 240, 25}});
  ExpectCameras("A::@10", {{"A", kPixYUYV, 640, 480, 10}});
  ExpectCameras(":MJPG", {{"Morvane Virtual Camera", kPixMJPG, 640, 480, 25}});
  ExpectCameras(" 前门 : MJPG : 176x144 @ 5 ;", {{"前门", kPixMJPG, 176, 144, 5}});
}

TEST(VirtualCameraConfig, EntriesThatDoNotParseAreLeftOut) {
  const char* bad[] = {"A:NV12",          "A:YUYV:640",      "A:YUYV:641x480", "A:YUYV:32x480",
                       "A:YUYV:640x480@0", "A:YUYV:640x480@", "A:YUYV:axb",     "A:YUYV:640x480@25:x",
                       "A:YUYV:640x480@121"};
  for (const char* entry : bad) {
    const std::string value = std::string(entry) + ";Good";
    ExpectCameras(value.c_str(), {{"Good", kPixYUYV, 640, 480, 25}});
  }
}

}  // namespace
