#pragma once
// A frame number drawn as large black and white cells, so it survives
// lossy compression and scaling and can be read back from a recording.

#include <cstdint>

#include <opencv2/core/mat.hpp>

namespace media {

// Draws `number` as a block code into `bgr` (8-bit, three channels, top row
// first): 16 x 4 cells over the picture's upper middle, from 2/20 to 18/20
// of its width and 2/15 to 6/15 of its height, in a white margin.
void DrawFrameCode(cv::Mat& bgr, uint32_t number);

// The number drawn by DrawFrameCode into this picture or a scaled copy of
// it, or -1 when no valid code is found (also for a picture upside down).
long long ReadFrameCode(const cv::Mat& bgrTopRowFirst);

}  // namespace media
