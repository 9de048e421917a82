#include "Canvas.h"
#include "Pictures.h"

namespace pictures {

// A silver camera with a blue lens and a red recording light, on a dark
// tile that reads well on light and dark title bars alike.
cv::Mat MakeIcon()
{
    Canvas c(48, 48, 8);

    // Tile.
    c.Fill(c.Full(), c.Linear(0, 0, 0, 48, {{0, Rgb(74, 84, 102)}, {1, Rgb(26, 30, 38)}}));
    c.Fill(c.Rect(0, 0, 48, 1), Rgb(255, 255, 255), 0.18);
    c.Fill(c.Rect(0, 47, 48, 1), Rgb(0, 0, 0), 0.35);

    // Body and viewfinder, with a soft shadow under them.
    const cv::Mat body = c.Rect(5, 15, 38, 24, 4);
    const cv::Mat finder = c.Rect(12, 10, 13, 7, 2);
    cv::Mat shape = body | finder;
    c.Fill(c.Soften(c.Shift(shape, 0, 1.5), 1.5), Rgb(0, 0, 0), 0.55);
    const Stops silver = {{0, Rgb(246, 248, 251)}, {0.45, Rgb(204, 210, 219)}, {1, Rgb(142, 150, 163)}};
    c.Fill(shape, c.Linear(0, 10, 0, 39, silver));
    c.Fill(c.Rect(5, 15, 38, 1.2, 0.6), Rgb(255, 255, 255), 0.6);
    c.Fill(c.Rect(5, 29, 38, 10, 0) & body, Rgb(40, 46, 58), 0.12);

    // Lens: dark barrel, bright metal ring, blue glass, a glint.
    c.Fill(c.Circle(24, 27, 10.5), Rgb(30, 34, 42));
    c.Fill(c.Ring(24, 27, 9, 7), c.Linear(16, 19, 32, 35,
                                          {{0, Rgb(250, 252, 255)}, {0.5, Rgb(150, 158, 170)},
                                           {1, Rgb(226, 230, 236)}}));
    c.Fill(c.Circle(24, 27, 6.6), c.Radial(22.5, 25.5, 7.5,
                                           {{0, Rgb(96, 160, 230)}, {0.55, Rgb(34, 78, 150)},
                                            {1, Rgb(10, 22, 48)}}));
    c.Fill(c.Circle(24, 27, 2.6), Rgb(6, 12, 26), 0.8);
    c.Fill(c.Soften(c.Circle(21.5, 24.5, 1.7), 0.6), Rgb(255, 255, 255), 0.9);

    // Recording light.
    c.Fill(c.Soften(c.Circle(37, 20.5, 3.6), 2.0), Rgb(255, 40, 30), 0.5);
    c.Fill(c.Circle(37, 20.5, 2.8), c.Radial(36.2, 19.7, 3.2,
                                             {{0, Rgb(255, 140, 120)}, {0.5, Rgb(235, 30, 30)},
                                              {1, Rgb(150, 10, 14)}}));
    return c.Finish();
}

}  // namespace pictures
