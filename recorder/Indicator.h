#pragma once
// The recording indicator's picture.

#include <opencv2/core.hpp>

#include "platform/ui/Gdi.h"

// The bitmap's pixels as an 8-bit, 3-channel image (blue, green, red; top
// row first) of its size; empty when its pixels cannot be read or a pixel
// has fewer than 3 bytes.
cv::Mat BitmapToImage(const CBitmap& bitmap);
