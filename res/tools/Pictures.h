#pragma once
// The program's pictures, each made from nothing but code so that they can
// be made again exactly.

#include <opencv2/core.hpp>

namespace pictures {

// Bitmap 131: the recording indicator, 32x32 indices into the standard
// 16-colour palette, silver background.
cv::Mat MakeIndicator();

// Icon 128: the application icon, 48x48.
cv::Mat MakeIcon();

// Bitmap 133: the square emblem at the bottom left, 96x96.
cv::Mat MakeEmblem();

// Bitmap 134: the banner beside the buttons, 219x60.
cv::Mat MakeTitleBanner();

// Bitmap 136: the film-strip banner along the bottom, 649x96.
cv::Mat MakeFilmBanner();

}  // namespace pictures
