#pragma once
// The virtual camera's picture. From top to bottom: a white band (so the
// picture's top is plain to see), colour bars carrying the frame code, the
// frame number as text, a square moving one step a frame, and a black band.

#include <cstdint>

#include <opencv2/core/mat.hpp>

namespace media {

// Height of the white band at the top and of the black one at the bottom.
int TestPatternBand(int height);

// Draws frame `number` into `bgr` (8-bit, three channels, top row first).
void DrawTestPattern(cv::Mat& bgr, uint32_t number);

}  // namespace media
