#include "Canvas.h"
#include "Metal.h"
#include "Pictures.h"

#include <cmath>
#include <numbers>

namespace pictures {
namespace {

constexpr double kCx = 48, kCy = 48;

// Six overlapping blades around a hexagonal opening, as in a lens's iris.
void Iris(Canvas& c, double opening, double outer)
{
    const cv::Mat well = c.Circle(kCx, kCy, outer);
    std::vector<cv::Point2d> corner;
    for (int k = 0; k < 6; ++k) {
        const double a = (k * 60.0 - 90.0 + 15.0) * std::numbers::pi / 180.0;
        corner.emplace_back(kCx + opening * std::cos(a), kCy + opening * std::sin(a));
    }
    for (int k = 0; k < 6; ++k) {
        // Each blade lies between the outward runs of two hexagon sides.
        const cv::Point2d a = corner[k], b = corner[(k + 1) % 6], n = corner[(k + 2) % 6];
        const cv::Point2d runA = (b - a) * 8.0, runB = (n - b) * 8.0;
        const cv::Mat blade = c.Polygon({b, b + runA, n + runB, n}) & well;
        const int shade = 58 + 9 * ((k * 2) % 6);
        c.Fill(blade, c.Linear(b.x, b.y, b.x + runA.x * 0.12, b.y + runA.y * 0.12,
                               {{0, Rgb(shade + 18, shade + 22, shade + 30)},
                                {1, Rgb(shade - 30, shade - 28, shade - 22)}}));
        c.Fill(c.Line(b.x, b.y, b.x + runA.x, b.y + runA.y, 0.5) & well, Rgb(14, 16, 22), 0.8);
    }
}

}  // namespace

// A lens seen from the front: chrome ring, iris, blue glass, and the red
// light of a recording set into the ring.
cv::Mat MakeEmblem()
{
    Canvas c(96, 96, 6);
    SteelPlate(c, 96, 96, 133);

    c.Fill(c.Soften(c.Shift(c.Circle(kCx, kCy, 41), 0, 2), 3), Rgb(0, 0, 0), 0.45);
    c.Fill(c.Ring(kCx, kCy, 41, 34.5),
           c.Linear(10, 10, 86, 86, {{0, Rgb(252, 253, 255)}, {0.3, Rgb(170, 177, 188)},
                                     {0.55, Rgb(236, 239, 244)}, {0.8, Rgb(120, 128, 140)},
                                     {1, Rgb(200, 206, 214)}}));
    c.Fill(c.Ring(kCx, kCy, 41, 40.3), Rgb(70, 76, 88), 0.7);
    c.Fill(c.Ring(kCx, kCy, 35.2, 34.5), Rgb(20, 22, 28), 0.8);

    c.Fill(c.Circle(kCx, kCy, 34.5), Rgb(16, 18, 24));
    Iris(c, 14.5, 33.5);
    c.Fill(c.Ring(kCx, kCy, 34.5, 30), c.Radial(kCx, kCy, 34.5,
                                                {{0.85, Rgb(0, 0, 0)}, {1, Rgb(0, 0, 0)}}), 0.35);

    // Glass seen through the opening.
    c.Fill(c.Circle(kCx, kCy, 15.5), c.Radial(kCx - 4, kCy - 4, 19,
                                              {{0, Rgb(110, 176, 240)}, {0.45, Rgb(36, 86, 166)},
                                               {1, Rgb(8, 18, 44)}}), 0.92);
    c.Fill(c.Circle(kCx, kCy, 5), Rgb(4, 8, 20), 0.75);
    c.Fill(c.Soften(c.Circle(kCx - 6, kCy - 6, 3), 1.2), Rgb(255, 255, 255), 0.85);
    c.Fill(c.Soften(c.Circle(kCx + 6.5, kCy + 6.5, 1.4), 0.8), Rgb(190, 225, 255), 0.5);

    // A broad reflection over the upper left of the whole lens.
    cv::Mat sheen = c.Circle(kCx, kCy, 34) & ~c.Circle(kCx + 9, kCy + 9, 36);
    c.Fill(c.Soften(sheen, 2.5), Rgb(255, 255, 255), 0.16);

    // The recording light on the ring, upper right.
    const double a = -45.0 * std::numbers::pi / 180.0;
    const double lx = kCx + 37.8 * std::cos(a), ly = kCy + 37.8 * std::sin(a);
    c.Fill(c.Circle(lx, ly, 4.6), Rgb(60, 20, 20));
    c.Fill(c.Soften(c.Circle(lx, ly, 4.5), 2.5), Rgb(255, 50, 40), 0.45);
    c.Fill(c.Circle(lx, ly, 3.8), c.Radial(lx - 1.2, ly - 1.2, 4.8,
                                           {{0, Rgb(255, 160, 140)}, {0.45, Rgb(236, 32, 32)},
                                            {1, Rgb(140, 8, 12)}}));
    return c.Finish();
}

}  // namespace pictures
