#include "Canvas.h"
#include "Metal.h"
#include "Pictures.h"

#include <cmath>
#include <numbers>

namespace pictures {
namespace {

constexpr int W = 649, H = 96;
constexpr double kStripTop = 12, kStripBottom = 84;
constexpr double kFrameTop = 26, kFrameHeight = 44, kFrameWidth = 64, kFramePitch = 74;

struct Sky {
    cv::Scalar top, horizon, light;
    bool moon;
};

// The day passes from frame to frame: dawn, noon, dusk, night.
Sky SkyAt(int frame)
{
    static const Sky skies[] = {
        {Rgb(62, 74, 140), Rgb(250, 170, 110), Rgb(255, 236, 170), false},
        {Rgb(70, 130, 210), Rgb(200, 226, 246), Rgb(255, 250, 220), false},
        {Rgb(40, 110, 200), Rgb(170, 214, 245), Rgb(255, 252, 230), false},
        {Rgb(56, 84, 160), Rgb(240, 196, 140), Rgb(255, 226, 150), false},
        {Rgb(70, 40, 110), Rgb(250, 120, 80), Rgb(255, 200, 120), false},
        {Rgb(24, 28, 70), Rgb(120, 70, 120), Rgb(240, 240, 255), true},
        {Rgb(8, 12, 36), Rgb(40, 54, 100), Rgb(236, 240, 255), true},
        {Rgb(14, 20, 52), Rgb(90, 80, 140), Rgb(240, 240, 255), true},
        {Rgb(50, 60, 130), Rgb(240, 160, 110), Rgb(255, 230, 160), false},
    };
    return skies[frame % 9];
}

cv::Scalar Mix(const cv::Scalar& a, const cv::Scalar& b, double t)
{
    return a * (1 - t) + b * t;
}

// Rolling hills, the farther ones paler, under a sun or moon.
void Scene(Canvas& c, double x, int frame)
{
    const Sky sky = SkyAt(frame);
    const double y = kFrameTop, w = kFrameWidth, h = kFrameHeight;
    const cv::Mat window = c.Rect(x, y, w, h, 1.5);
    c.Fill(window, c.Linear(0, y, 0, y + h * 0.75, {{0, sky.top}, {1, sky.horizon}}));

    const double lightX = x + w * (0.2 + 0.6 * ((frame * 37) % 9) / 8.0);
    const double lightY = y + h * (sky.moon ? 0.28 : 0.42 - 0.1 * std::sin(frame));
    cv::Mat light = c.Circle(lightX, lightY, sky.moon ? 4 : 5);
    if (sky.moon) {
        light &= ~c.Circle(lightX + 1.8, lightY - 1.2, 3.4);  // a crescent
    }
    c.Fill(c.Soften(light, 4) & window, sky.light, 0.45);
    c.Fill(light & window, sky.light);
    if (sky.moon) {
        for (int s = 0; s < 6; ++s) {
            const double sx = x + std::fmod(13.0 * s + 7.0 * frame, w - 4) + 2;
            const double sy = y + 3 + std::fmod(5.0 * s + 3.0 * frame, h * 0.35);
            c.Fill(c.Circle(sx, sy, 0.55) & window, Rgb(255, 255, 255), 0.8);
        }
    }

    const cv::Scalar land = sky.moon ? Rgb(20, 30, 40) : Rgb(46, 92, 70);
    for (int layer = 0; layer < 3; ++layer) {
        std::vector<cv::Point2d> hill;
        const double base = y + h * (0.55 + 0.14 * layer);
        const double phase = frame * 1.3 + layer * 2.1;
        for (double px = x - 1; px <= x + w + 1; px += 1) {
            const double t = (px - x) / w;
            hill.emplace_back(px, base - 4.5 * std::sin(t * 2 * std::numbers::pi * (0.8 + 0.3 * layer) + phase)
                                      - 2.0 * std::sin(t * 9 + phase * 2));
        }
        hill.emplace_back(x + w + 1, y + h + 1);
        hill.emplace_back(x - 1, y + h + 1);
        const double depth = (2 - layer) / 2.0;
        c.Fill(c.Polygon(hill) & window, Mix(land, sky.horizon, 0.55 * depth));
    }
    // The glass of the film over the picture.
    c.Fill(window, c.Linear(0, y, 0, y + h, {{0, Rgb(255, 255, 255)}, {0.5, Rgb(0, 0, 0)}}), 0.08);
}

void FilmStrip(Canvas& c)
{
    c.Fill(c.Rect(0, kStripTop, W, kStripBottom - kStripTop),
           c.Linear(0, kStripTop, 0, kStripBottom, {{0, Rgb(52, 50, 48)}, {0.08, Rgb(30, 28, 27)},
                                                    {0.92, Rgb(22, 21, 20)}, {1, Rgb(44, 42, 40)}}));
    for (double x = 2; x < W; x += 12) {
        for (double y : {kStripTop + 4.0, kStripBottom - 10.0}) {
            c.Fill(c.Rect(x, y, 7, 6, 1.4),
                   c.Linear(0, y, 0, y + 6, {{0, Rgb(170, 176, 186)}, {1, Rgb(232, 236, 242)}}));
        }
    }
    const double first = (W - 8 * kFramePitch - kFrameWidth) / 2.0;
    for (int frame = 0; frame < 9; ++frame) {
        Scene(c, first + frame * kFramePitch, frame);
    }
}

}  // namespace

// A strip of film running along the bottom of the window, its frames showing
// one landscape from dawn to night, fading into the metal at both ends.
cv::Mat MakeFilmBanner()
{
    Canvas c(W, H, 4);
    SteelPlate(c, W, H, 136);

    // The strip is drawn apart and laid on through a mask that thins out
    // towards both ends.
    Canvas strip(W, H, 4);
    FilmStrip(strip);
    const cv::Mat fade = HorizontalFade(c, W, 0.07);
    const double height = kStripBottom - kStripTop;
    c.Fill(cv::min(c.Soften(c.Rect(0, kStripTop + 2, W, height), 3), fade), Rgb(0, 0, 0), 0.4);
    c.Fill(c.Rect(0, kStripTop, W, height) & fade, strip.Surface());
    return c.Finish();
}

}  // namespace pictures
