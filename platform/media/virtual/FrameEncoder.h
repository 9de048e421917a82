#pragma once
// Turns the virtual camera's picture into the bytes a V4L2 driver would
// deliver in the camera's pixel format.

#include <cstdint>
#include <vector>

#include <opencv2/core/mat.hpp>

namespace media {

// Encodes `bgr` (8-bit, three channels, top row first) as a YUYV, MJPG or
// BGR3 frame with tightly packed rows into `out`, reusing its storage. False
// for any other format or a YUYV picture of odd width.
bool EncodeFrame(const cv::Mat& bgr, uint32_t fourcc, std::vector<uint8_t>& out);

}  // namespace media
