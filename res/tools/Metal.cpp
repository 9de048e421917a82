#include "Metal.h"

#include <opencv2/imgproc.hpp>

namespace pictures {

void SteelPlate(Canvas& c, int width, int height, unsigned seed)
{
    c.Fill(c.Full(), c.Linear(0, 0, 0, height,
                              {{0, Rgb(236, 239, 243)}, {0.5, Rgb(208, 213, 221)},
                               {1, Rgb(182, 189, 199)}}));
    c.Brush(c.Full(), 7.0, seed);
    c.Fill(c.Rect(0, 0, width, 1), Rgb(255, 255, 255), 0.85);
    c.Fill(c.Rect(0, 0, 1, height), Rgb(255, 255, 255), 0.6);
    c.Fill(c.Rect(0, height - 1, width, 1), Rgb(118, 126, 138));
    c.Fill(c.Rect(width - 1, 0, 1, height), Rgb(136, 144, 156));
}

cv::Mat HorizontalFade(const Canvas& c, int width, double fade)
{
    const cv::Mat ramp = c.Linear(0, 0, width, 0,
                                  {{0, cv::Scalar::all(0)}, {fade, cv::Scalar::all(255)},
                                   {1 - fade, cv::Scalar::all(255)}, {1, cv::Scalar::all(0)}});
    cv::Mat grey;
    cv::cvtColor(ramp, grey, cv::COLOR_BGR2GRAY);
    grey.convertTo(grey, CV_8U);
    return grey;
}

}  // namespace pictures
