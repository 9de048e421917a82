#pragma once
// Plain Windows bitmap files: a 14-byte file header, a 40-byte information
// header, rows bottom-up, each padded to a multiple of 4 bytes.

#include <opencv2/core.hpp>

#include <array>
#include <cstdint>
#include <string>

namespace pictures {

struct PaletteColour {
    std::uint8_t r, g, b;
};
using Palette16 = std::array<PaletteColour, 16>;

// The sixteen colours of the standard Windows palette, in index order.
const Palette16& StandardPalette();

// Writes a 24-bit bitmap from a blue-green-red image. False on failure.
bool WriteBmp24(const std::string& path, const cv::Mat& bgr);

// Writes a 4-bit bitmap from an image of palette indices (0 to 15, one byte
// each). False on failure or when an index is out of range.
bool WriteBmp4(const std::string& path, const cv::Mat& indices, const Palette16& palette);

}  // namespace pictures
