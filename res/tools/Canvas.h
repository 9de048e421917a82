#pragma once
// A drawing surface several times larger than the picture it makes. Shapes
// are drawn as hard-edged masks at the large size and the surface is shrunk
// at the end, which smooths every edge evenly.
// Coordinates and lengths are given in the final picture's pixels.

#include <opencv2/core.hpp>

#include <string>
#include <vector>

namespace pictures {

// OpenCV keeps colours blue first; this reads the usual way round.
cv::Scalar Rgb(int r, int g, int b);

struct Stop {
    double at;  // 0 to 1 along the gradient
    cv::Scalar colour;
};
using Stops = std::vector<Stop>;

class Canvas {
public:
    Canvas(int width, int height, int scale);

    // Masks (one byte a pixel, 255 inside) of simple shapes.
    cv::Mat Full() const;
    cv::Mat Rect(double x, double y, double w, double h, double radius = 0) const;
    cv::Mat Circle(double cx, double cy, double r) const;
    cv::Mat Ring(double cx, double cy, double outer, double inner) const;
    cv::Mat Polygon(const std::vector<cv::Point2d>& points) const;
    cv::Mat Line(double x0, double y0, double x1, double y1, double width) const;
    // Lettering in a stroke font: `x` and `baseline` give where it starts,
    // `capHeight` the height of a capital letter.
    cv::Mat Text(const std::string& text, double x, double baseline, double capHeight,
                 double strokeWidth) const;
    // Width the same lettering would take.
    double TextWidth(const std::string& text, double capHeight, double strokeWidth) const;
    // A mask softened by `radius` pixels, for glows and shadows.
    cv::Mat Soften(const cv::Mat& mask, double radius) const;
    cv::Mat Shift(const cv::Mat& mask, double dx, double dy) const;

    // Colour sources the size of the surface.
    cv::Mat Linear(double x0, double y0, double x1, double y1, const Stops& stops) const;
    cv::Mat Radial(double cx, double cy, double r, const Stops& stops) const;

    // Paints through `mask` (partly where it is grey), at `alpha` opacity.
    void Fill(const cv::Mat& mask, const cv::Scalar& colour, double alpha = 1.0);
    void Fill(const cv::Mat& mask, const cv::Mat& source, double alpha = 1.0);
    // Fine horizontal streaks of brushed metal inside `mask`.
    void Brush(const cv::Mat& mask, double strength, unsigned seed);

    // The surface as drawn so far, at the large size (32-bit float), to be
    // laid onto another canvas of the same size.
    const cv::Mat& Surface() const { return m_image; }

    // The finished picture at its own size, 8 bits blue-green-red.
    cv::Mat Finish() const;

private:
    cv::Point P(double x, double y) const;
    int L(double length) const;
    cv::Mat Blank() const;

    int m_width, m_height, m_scale;
    cv::Mat m_image;  // 32-bit float, blue-green-red, 0 to 255
};

}  // namespace pictures
