#include "Pictures.h"

#include <cmath>
#include <cstdint>

namespace pictures {
namespace {

// Indices into the standard 16-colour palette.
enum : std::uint8_t { Black = 0, Silver = 7, Grey = 8, Red = 9, Yellow = 11, White = 15 };

// The ball: 14 pixels across, centred between columns 15 and 16 and on row
// 16; its shadow and the shadow's rim reach two pixels further at the lower
// right. So the whole picture of it spans columns 9 to 24 and rows 10 to 24.
constexpr double kCentreX = 15.5;
constexpr double kCentreY = 16.0;
constexpr double kRadius = 6.5;

// The highlight's centre, inside the upper left of the ball.
constexpr double kShineX = 13.5;
constexpr double kShineY = 13.5;

}  // namespace

cv::Mat MakeIndicator()
{
    // The silver background is the colour the recorder leaves out when it
    // copies the picture into a frame; no other pixel may have red 192.
    cv::Mat indices(32, 32, CV_8UC1, cv::Scalar(Silver));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x - kCentreX, dy = y - kCentreY;
            const double d = std::hypot(dx, dy);
            const bool lowerRight = dx + dy > 0;
            std::uint8_t colour = Silver;
            if (d <= kRadius) {
                colour = (d > kRadius - 1 && !lowerRight) ? Grey : Red;
                const double shine = std::hypot(x - kShineX, y - kShineY);
                if (shine <= 1.0) {
                    colour = White;
                } else if (shine <= 1.9) {
                    colour = Yellow;
                }
            } else if (lowerRight && d <= kRadius + 1) {
                colour = Black;
            } else if (lowerRight && d <= kRadius + 2) {
                colour = White;
            }
            indices.at<std::uint8_t>(y, x) = colour;
        }
    }
    return indices;
}

}  // namespace pictures
