#include "platform/media/virtual/TestPattern.h"

#include <algorithm>
#include <array>
#include <string>

#include <opencv2/imgproc.hpp>

#include "platform/media/FrameCode.h"

namespace media {
namespace {

const std::array<cv::Scalar, 7> kBars{{
    {0, 255, 255},    // yellow
    {255, 255, 0},    // cyan
    {0, 255, 0},      // green
    {255, 0, 255},    // magenta
    {0, 0, 255},      // red
    {255, 0, 0},      // blue
    {128, 128, 128},  // grey
}};

void DrawBars(cv::Mat& bgr, int top, int bottom) {
  const int count = int(kBars.size());
  for (int i = 0; i < count; ++i) {
    const int x0 = bgr.cols * i / count, x1 = bgr.cols * (i + 1) / count;
    cv::rectangle(bgr, cv::Rect(x0, top, x1 - x0, bottom - top), kBars[i], cv::FILLED);
  }
}

void DrawNumber(cv::Mat& bgr, uint32_t number, int band) {
  const cv::Rect box(band, band * 8, bgr.cols - 2 * band, band * 3);
  cv::rectangle(bgr, box, cv::Scalar::all(0), cv::FILLED);
  const std::string text = "FRAME " + std::to_string(number);
  const double scale = band / 16.0;
  const int thickness = std::max(1, band / 12);
  int baseline = 0;
  const cv::Size size = cv::getTextSize(text, cv::FONT_HERSHEY_SIMPLEX, scale, thickness, &baseline);
  const cv::Point origin(box.x + (box.width - size.width) / 2, box.y + (box.height + size.height) / 2);
  cv::putText(bgr, text, origin, cv::FONT_HERSHEY_SIMPLEX, scale, cv::Scalar::all(255), thickness,
              cv::LINE_AA);
}

void DrawMovingSquare(cv::Mat& bgr, uint32_t number, int band) {
  const int side = band * 2;
  const int travel = std::max(1, bgr.cols - side);
  const int step = std::max(1, bgr.cols / 80);
  const int x = int((uint64_t(number) * uint64_t(step)) % uint64_t(travel));
  const cv::Rect square(x, band * 23 / 2, side, side);
  cv::rectangle(bgr, square, cv::Scalar::all(255), cv::FILLED);
  cv::rectangle(bgr, square, cv::Scalar::all(0), std::max(1, band / 8));
}

}  // namespace

int TestPatternBand(int height) { return std::max(1, height / 15); }

void DrawTestPattern(cv::Mat& bgr, uint32_t number) {
  if (bgr.empty() || bgr.type() != CV_8UC3) return;
  const int band = TestPatternBand(bgr.rows);
  const int bottom = bgr.rows - band;
  cv::rectangle(bgr, cv::Rect(0, 0, bgr.cols, band), cv::Scalar::all(255), cv::FILLED);
  DrawBars(bgr, band, bottom);
  cv::rectangle(bgr, cv::Rect(0, bottom, bgr.cols, bgr.rows - bottom), cv::Scalar::all(0),
                cv::FILLED);
  DrawFrameCode(bgr, number);
  DrawNumber(bgr, number, band);
  DrawMovingSquare(bgr, number, band);
}

}  // namespace media
