// The recording indicator: a red ball from bitmap 131, drawn near the top
// right corner of the displayed frame with its silver background left out.
#include <vector>

#include "recorder/Indicator.h"
#include "recorder/MorvaneDlg.h"

namespace {

// Picture pixels with this red value are background and never drawn.
constexpr unsigned char kKeyRed = 192;
constexpr int kRightMargin = 10;
constexpr int kTopMargin = 5;

}  // namespace

cv::Mat BitmapToImage(const CBitmap& bitmap)
{
    BITMAP info{};
    if (bitmap.GetObject(sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
        return cv::Mat();
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    const std::size_t stride = std::size_t(info.bmWidthBytes);
    const int bytesPerPixel = info.bmBitsPixel / 8;
    // Pixels are read as blue, green, red: a smaller pixel has no such bytes.
    if (bytesPerPixel < 3 || stride < std::size_t(width) * bytesPerPixel) {
        return cv::Mat();
    }

    std::vector<unsigned char> bits(stride * height, 0);
    if (bitmap.GetBitmapBits(DWORD(bits.size()), bits.data()) == 0) {
        return cv::Mat();
    }
    cv::Mat image(height, width, CV_8UC3);
    for (int r = 0; r < height; ++r) {
        const unsigned char* source = bits.data() + std::size_t(r) * stride;
        auto* target = image.ptr<unsigned char>(r);
        for (int c = 0; c < width; ++c) {
            target[c * 3 + 0] = source[c * bytesPerPixel + 0];
            target[c * 3 + 1] = source[c * bytesPerPixel + 1];
            target[c * 3 + 2] = source[c * bytesPerPixel + 2];
        }
    }
    return image;
}

void CMorvaneDlg::DrawIndicator()
{
    cv::Mat frame = m_pDisplayFrame->Image();
    const cv::Mat& picture = m_pIndicator;
    const int x = frame.cols - picture.cols - kRightMargin;
    // Without a picture, or one that would not fit with its margins, there
    // is nothing to draw.
    if (picture.empty() || frame.empty() || x < 0 || picture.rows + kTopMargin > frame.rows) {
        return;
    }
    for (int i = 0; i < picture.rows; ++i) {
        const auto* source = picture.ptr<cv::Vec3b>(i);
        auto* target = frame.ptr<cv::Vec3b>(kTopMargin + i) + x;
        for (int j = 0; j < picture.cols; ++j) {
            if (source[j][2] != kKeyRed) {
                target[j] = source[j];
            }
        }
    }
}
