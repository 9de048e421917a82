#pragma once
// A camera over a list of fake devices.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include <opencv2/core.hpp>

#include "capture/CameraGraph.h"
#include "media/FakeCaptureDevice.h"

class CameraTest : public ::testing::Test {
 protected:
  void List(std::vector<media::DeviceEntry> devices) { devices_.emplace(std::move(devices)); }

  // Lists one fake device and opens it at width x height.
  std::shared_ptr<fake::DeviceState> OpenOne(std::shared_ptr<fake::DeviceState> device, int width = 640,
                                             int height = 480) {
    List({fake::Entry("cam", device)});
    EXPECT_TRUE(camera_.Open(0, width, height));
    return device;
  }

  static cv::Vec3b At(const cv::Mat& image, int y, int x) { return image.at<cv::Vec3b>(y, x); }

  std::optional<fake::ScopedDevices> devices_;
  CCameraGraph camera_;
};
