#include "Canvas.h"
#include "Pictures.h"

namespace pictures {

// The name beside the buttons: a dark glass plate with a red recording
// light, the name in chrome, and a time ruler under it.
cv::Mat MakeTitleBanner()
{
    constexpr int W = 219, H = 60;
    Canvas c(W, H, 6);

    c.Fill(c.Full(), c.Linear(0, 0, 0, H, {{0, Rgb(66, 80, 104)}, {0.5, Rgb(38, 47, 64)},
                                           {1, Rgb(20, 25, 35)}}));
    // Faint rings spreading from the light, as from a signal.
    for (double r = 16; r < 240; r += 9) {
        c.Fill(c.Ring(27, 30, r + 0.6, r), Rgb(150, 190, 255), 0.05);
    }
    c.Fill(c.Rect(0, 0, W, H / 2.0), c.Linear(0, 0, 0, H / 2.0, {{0, Rgb(255, 255, 255)},
                                                                  {1, Rgb(120, 140, 170)}}), 0.10);
    c.Fill(c.Rect(0, 0, W, 1), Rgb(190, 205, 228), 0.8);
    c.Fill(c.Rect(0, H - 1, W, 1), Rgb(8, 10, 14));
    c.Fill(c.Rect(0, 0, 1, H), Rgb(120, 136, 160), 0.8);
    c.Fill(c.Rect(W - 1, 0, 1, H), Rgb(8, 10, 14));

    // Recording light in a metal bezel.
    c.Fill(c.Soften(c.Circle(27, 30, 13), 6), Rgb(255, 40, 30), 0.35);
    c.Fill(c.Circle(27, 30, 12), c.Linear(15, 18, 39, 42, {{0, Rgb(240, 243, 248)},
                                                          {0.5, Rgb(130, 138, 152)},
                                                          {1, Rgb(60, 66, 78)}}));
    c.Fill(c.Circle(27, 30, 10), Rgb(50, 8, 10));
    c.Fill(c.Circle(27, 30, 9.2), c.Radial(24.5, 27.5, 12, {{0, Rgb(255, 150, 130)},
                                                          {0.4, Rgb(240, 36, 34)},
                                                          {1, Rgb(120, 6, 10)}}));
    c.Fill(c.Soften(c.Circle(24, 26.5, 2.8), 1.2), Rgb(255, 255, 255), 0.75);

    // The name in chrome, with a shadow.
    const double cap = 19, stroke = 2.1;
    const double textX = 50, baseline = 37;
    const cv::Mat name = c.Text("Morvane", textX, baseline, cap, stroke);
    c.Fill(c.Soften(c.Shift(name, 1, 1.5), 1.2), Rgb(0, 0, 0), 0.7);
    c.Fill(name, c.Linear(0, baseline - cap, 0, baseline,
                          {{0, Rgb(255, 255, 255)}, {0.5, Rgb(214, 222, 234)},
                           {0.55, Rgb(168, 178, 194)}, {1, Rgb(236, 240, 246)}}));

    // Time ruler with a red play head.
    const double rulerY = 46, left = textX, right = W - 12;
    c.Fill(c.Rect(left, rulerY, right - left, 1), Rgb(150, 172, 205), 0.55);
    for (int i = 0; left + i * 6.0 <= right; ++i) {
        const double h = i % 5 == 0 ? 5 : 2.5;
        c.Fill(c.Rect(left + i * 6.0, rulerY + 1, 1, h), Rgb(150, 172, 205), 0.45);
    }
    c.Fill(c.Rect(left, rulerY - 0.5, 96, 2), Rgb(230, 40, 40), 0.8);
    c.Fill(c.Polygon({{left + 96 - 3, rulerY - 4}, {left + 96 + 3, rulerY - 4}, {left + 96, rulerY}}),
           Rgb(255, 70, 60));
    return c.Finish();
}

}  // namespace pictures
