#pragma once
// The look shared by the pictures that sit on the window's metal.

#include "Canvas.h"

namespace pictures {

// Brushed steel over the whole canvas, lit from above, with a bevelled edge
// so the picture reads as a plate set into the window.
void SteelPlate(Canvas& c, int width, int height, unsigned seed);

// A single-channel mask of the canvas's size that runs from 0 to 255 and
// back along x: 0 at both ends, 255 between `fade` and 1 - `fade`.
cv::Mat HorizontalFade(const Canvas& c, int width, double fade);

}  // namespace pictures
