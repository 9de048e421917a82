// The code is a grid of 16 x 4 cells placed at fixed fractions of the
// picture, so a scaled copy of the frame reads the same. The first row is a
// fixed guard pattern that also gives the reader its black and white
// levels; the other three rows carry the 32-bit number and a CRC-16 of it,
// most significant bit first. A cell is 1/20 of the width and 1/15 of the
// height (32 x 32 pixels at 640 x 480): large enough to survive MPEG-4 and
// JPEG compression, whose blocks are 8 or 16 pixels.

#include "platform/media/FrameCode.h"

#include <array>
#include <cmath>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

namespace media {
namespace {

constexpr int kColumns = 16;
constexpr int kRows = 4;
constexpr int kGridColumns = 20;  // cell width = picture width / 20
constexpr int kGridRows = 15;     // cell height = picture height / 15
constexpr int kFirstColumn = 2;
constexpr int kFirstRow = 2;
constexpr uint16_t kGuard = 0xA5C3;  // both levels, no long runs, not symmetric

using Bits = std::array<bool, kColumns * kRows>;

uint16_t Crc16(uint32_t number) {
  uint16_t crc = 0xFFFF;
  for (int byte = 3; byte >= 0; --byte) {
    crc ^= uint16_t((number >> (byte * 8)) & 0xFF) << 8;
    for (int i = 0; i < 8; ++i) crc = (crc & 0x8000) ? uint16_t(crc << 1 ^ 0x1021) : uint16_t(crc << 1);
  }
  return crc;
}

Bits Encode(uint32_t number) {
  Bits bits{};
  const uint64_t payload = uint64_t(kGuard) << 48 | uint64_t(number) << 16 | Crc16(number);
  for (int i = 0; i < kColumns * kRows; ++i) bits[i] = (payload >> (63 - i)) & 1;
  return bits;
}

// The cell at (column, row) of the code in a picture of `size`.
cv::Rect2d Cell(cv::Size size, int column, int row) {
  const double w = double(size.width) / kGridColumns;
  const double h = double(size.height) / kGridRows;
  return {(kFirstColumn + column) * w, (kFirstRow + row) * h, w, h};
}

cv::Rect Pixels(const cv::Rect2d& r) {
  const int x0 = int(std::lround(r.x)), y0 = int(std::lround(r.y));
  return {x0, y0, int(std::lround(r.x + r.width)) - x0, int(std::lround(r.y + r.height)) - y0};
}

// Mean brightness of the middle half of a cell: its edges blur under
// compression and scaling.
double CellLevel(const cv::Mat& gray, int column, int row) {
  cv::Rect2d c = Cell(gray.size(), column, row);
  const cv::Rect inner = Pixels({c.x + c.width / 4, c.y + c.height / 4, c.width / 2, c.height / 2});
  const cv::Rect clipped = inner & cv::Rect(0, 0, gray.cols, gray.rows);
  if (clipped.area() == 0) return -1;
  return cv::mean(gray(clipped))[0];
}

}  // namespace

void DrawFrameCode(cv::Mat& bgr, uint32_t number) {
  if (bgr.empty() || bgr.type() != CV_8UC3) return;
  const cv::Size size = bgr.size();
  // A white quiet zone half a cell wide keeps the surroundings off the edge cells.
  const cv::Rect2d first = Cell(size, 0, 0), last = Cell(size, kColumns - 1, kRows - 1);
  const double padX = first.width / 2, padY = first.height / 2;
  const cv::Rect2d zone(first.x - padX, first.y - padY, last.br().x - first.x + 2 * padX,
                        last.br().y - first.y + 2 * padY);
  cv::rectangle(bgr, Pixels(zone) & cv::Rect(0, 0, size.width, size.height), cv::Scalar::all(255),
                cv::FILLED);
  const Bits bits = Encode(number);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const cv::Scalar level = bits[row * kColumns + column] ? cv::Scalar::all(255) : cv::Scalar::all(0);
      cv::rectangle(bgr, Pixels(Cell(size, column, row)), level, cv::FILLED);
    }
  }
}

long long ReadFrameCode(const cv::Mat& bgrTopRowFirst) {
  const cv::Mat& image = bgrTopRowFirst;
  if (image.empty() || image.depth() != CV_8U || image.cols < kGridColumns * 2 ||
      image.rows < kGridRows * 2)
    return -1;
  cv::Mat gray;
  if (image.channels() == 3)
    cv::cvtColor(image, gray, cv::COLOR_BGR2GRAY);
  else if (image.channels() == 1)
    gray = image;
  else
    return -1;

  std::array<double, kColumns * kRows> levels{};
  for (int row = 0; row < kRows; ++row)
    for (int column = 0; column < kColumns; ++column)
      levels[row * kColumns + column] = CellLevel(gray, column, row);

  // Levels of the guard's white and black cells set the threshold.
  const Bits expected = Encode(0);
  double white = 0, black = 0;
  int whites = 0, blacks = 0;
  for (int i = 0; i < kColumns; ++i) {
    (expected[i] ? white : black) += levels[i];
    ++(expected[i] ? whites : blacks);
  }
  white /= whites;
  black /= blacks;
  const double contrast = white - black;
  if (contrast < 64) return -1;
  const double threshold = (white + black) / 2;
  const double margin = contrast / 8;  // an undecided cell is no bit

  uint64_t payload = 0;
  for (int i = 0; i < kColumns * kRows; ++i) {
    if (std::abs(levels[i] - threshold) < margin) return -1;
    payload = payload << 1 | (levels[i] > threshold ? 1 : 0);
  }
  if (uint16_t(payload >> 48) != kGuard) return -1;
  const uint32_t number = uint32_t(payload >> 16);
  if (uint16_t(payload) != Crc16(number)) return -1;
  return number;
}

}  // namespace media
