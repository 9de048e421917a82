#include "Canvas.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace pictures {
namespace {

constexpr int kFont = cv::FONT_HERSHEY_DUPLEX;

cv::Vec3f Interpolate(const Stops& stops, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto toVec = [](const cv::Scalar& s) {
        return cv::Vec3f(static_cast<float>(s[0]), static_cast<float>(s[1]), static_cast<float>(s[2]));
    };
    if (t <= stops.front().at) {
        return toVec(stops.front().colour);
    }
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const double span = stops[i].at - stops[i - 1].at;
            const float f = static_cast<float>(span > 0 ? (t - stops[i - 1].at) / span : 1.0);
            return toVec(stops[i - 1].colour) * (1.0f - f) + toVec(stops[i].colour) * f;
        }
    }
    return toVec(stops.back().colour);
}

}  // namespace

cv::Scalar Rgb(int r, int g, int b)
{
    return cv::Scalar(b, g, r);
}

Canvas::Canvas(int width, int height, int scale)
    : m_width(width), m_height(height), m_scale(scale),
      m_image(height * scale, width * scale, CV_32FC3, cv::Scalar::all(0))
{
}

cv::Point Canvas::P(double x, double y) const
{
    return {static_cast<int>(std::lround(x * m_scale)), static_cast<int>(std::lround(y * m_scale))};
}

int Canvas::L(double length) const
{
    return std::max(1, static_cast<int>(std::lround(length * m_scale)));
}

cv::Mat Canvas::Blank() const
{
    return cv::Mat::zeros(m_image.size(), CV_8UC1);
}

cv::Mat Canvas::Full() const
{
    return cv::Mat(m_image.size(), CV_8UC1, cv::Scalar(255));
}

cv::Mat Canvas::Rect(double x, double y, double w, double h, double radius) const
{
    cv::Mat mask = Blank();
    const double r = std::min({radius, w / 2, h / 2});
    if (r <= 0) {
        cv::rectangle(mask, P(x, y), P(x + w, y + h) - cv::Point(1, 1), cv::Scalar(255), cv::FILLED);
        return mask;
    }
    cv::rectangle(mask, P(x + r, y), P(x + w - r, y + h) - cv::Point(1, 1), cv::Scalar(255), cv::FILLED);
    cv::rectangle(mask, P(x, y + r), P(x + w, y + h - r) - cv::Point(1, 1), cv::Scalar(255), cv::FILLED);
    for (const auto& [cx, cy] : {std::pair{x + r, y + r}, {x + w - r, y + r}, {x + r, y + h - r},
                                 {x + w - r, y + h - r}}) {
        cv::circle(mask, P(cx, cy), L(r), cv::Scalar(255), cv::FILLED);
    }
    return mask;
}

cv::Mat Canvas::Circle(double cx, double cy, double r) const
{
    cv::Mat mask = Blank();
    cv::circle(mask, P(cx, cy), L(r), cv::Scalar(255), cv::FILLED);
    return mask;
}

cv::Mat Canvas::Ring(double cx, double cy, double outer, double inner) const
{
    cv::Mat mask = Circle(cx, cy, outer);
    mask.setTo(0, Circle(cx, cy, inner));
    return mask;
}

cv::Mat Canvas::Polygon(const std::vector<cv::Point2d>& points) const
{
    std::vector<cv::Point> scaled;
    for (const cv::Point2d& p : points) {
        scaled.push_back(P(p.x, p.y));
    }
    cv::Mat mask = Blank();
    cv::fillPoly(mask, std::vector<std::vector<cv::Point>>{scaled}, cv::Scalar(255));
    return mask;
}

cv::Mat Canvas::Line(double x0, double y0, double x1, double y1, double width) const
{
    cv::Mat mask = Blank();
    cv::line(mask, P(x0, y0), P(x1, y1), cv::Scalar(255), L(width));
    return mask;
}

cv::Mat Canvas::Text(const std::string& text, double x, double baseline, double capHeight,
                     double strokeWidth) const
{
    int base = 0;
    const cv::Size unit = cv::getTextSize("M", kFont, 1.0, 1, &base);
    const double fontScale = capHeight * m_scale / unit.height;
    cv::Mat mask = Blank();
    cv::putText(mask, text, P(x, baseline), kFont, fontScale, cv::Scalar(255), L(strokeWidth),
                cv::LINE_8);
    return mask;
}

double Canvas::TextWidth(const std::string& text, double capHeight, double strokeWidth) const
{
    int base = 0;
    const cv::Size unit = cv::getTextSize("M", kFont, 1.0, 1, &base);
    const double fontScale = capHeight * m_scale / unit.height;
    const cv::Size size = cv::getTextSize(text, kFont, fontScale, L(strokeWidth), &base);
    return static_cast<double>(size.width) / m_scale;
}

cv::Mat Canvas::Soften(const cv::Mat& mask, double radius) const
{
    cv::Mat soft;
    const double sigma = radius * m_scale / 2.0;
    cv::GaussianBlur(mask, soft, cv::Size(0, 0), sigma);
    return soft;
}

cv::Mat Canvas::Shift(const cv::Mat& mask, double dx, double dy) const
{
    const cv::Mat move = (cv::Mat_<double>(2, 3) << 1, 0, dx * m_scale, 0, 1, dy * m_scale);
    cv::Mat moved;
    cv::warpAffine(mask, moved, move, mask.size());
    return moved;
}

cv::Mat Canvas::Linear(double x0, double y0, double x1, double y1, const Stops& stops) const
{
    cv::Mat out(m_image.size(), CV_32FC3);
    const double dx = x1 - x0, dy = y1 - y0;
    const double length2 = std::max(dx * dx + dy * dy, 1e-9);
    for (int row = 0; row < out.rows; ++row) {
        auto* p = out.ptr<cv::Vec3f>(row);
        const double y = (row + 0.5) / m_scale;
        for (int col = 0; col < out.cols; ++col) {
            const double x = (col + 0.5) / m_scale;
            p[col] = Interpolate(stops, ((x - x0) * dx + (y - y0) * dy) / length2);
        }
    }
    return out;
}

cv::Mat Canvas::Radial(double cx, double cy, double r, const Stops& stops) const
{
    cv::Mat out(m_image.size(), CV_32FC3);
    for (int row = 0; row < out.rows; ++row) {
        auto* p = out.ptr<cv::Vec3f>(row);
        const double y = (row + 0.5) / m_scale;
        for (int col = 0; col < out.cols; ++col) {
            const double x = (col + 0.5) / m_scale;
            p[col] = Interpolate(stops, std::hypot(x - cx, y - cy) / r);
        }
    }
    return out;
}

void Canvas::Fill(const cv::Mat& mask, const cv::Scalar& colour, double alpha)
{
    Fill(mask, cv::Mat(m_image.size(), CV_32FC3, colour), alpha);
}

void Canvas::Fill(const cv::Mat& mask, const cv::Mat& source, double alpha)
{
    cv::Mat weight;
    mask.convertTo(weight, CV_32F, alpha / 255.0);
    cv::Mat weight3;
    cv::merge(std::vector<cv::Mat>{weight, weight, weight}, weight3);
    cv::Mat src;
    source.convertTo(src, CV_32FC3);
    m_image = m_image.mul(cv::Scalar::all(1.0) - weight3) + src.mul(weight3);
}

void Canvas::Brush(const cv::Mat& mask, double strength, unsigned seed)
{
    // Random brightness per row of the large surface, stretched along x by
    // a long blur: the look of metal brushed from side to side.
    cv::RNG rng(seed);
    cv::Mat noise(m_image.size(), CV_32F);
    rng.fill(noise, cv::RNG::NORMAL, 0.0, 1.0);
    cv::GaussianBlur(noise, noise, cv::Size(0, 0), 12.0 * m_scale, 0.35 * m_scale);
    cv::normalize(noise, noise, -strength, strength, cv::NORM_MINMAX);
    cv::Mat streaks;
    cv::merge(std::vector<cv::Mat>{noise, noise, noise}, streaks);
    cv::Mat weight;
    mask.convertTo(weight, CV_32F, 1.0 / 255.0);
    cv::Mat weight3;
    cv::merge(std::vector<cv::Mat>{weight, weight, weight}, weight3);
    m_image += streaks.mul(weight3);
}

cv::Mat Canvas::Finish() const
{
    cv::Mat small;
    cv::resize(m_image, small, cv::Size(m_width, m_height), 0, 0, cv::INTER_AREA);
    cv::Mat out;
    small.convertTo(out, CV_8UC3);  // rounds and clamps to 0..255
    return out;
}

}  // namespace pictures
