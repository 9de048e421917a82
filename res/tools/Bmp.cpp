#include "Bmp.h"

#include <fstream>
#include <vector>

namespace pictures {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
}

std::uint32_t RowBytes(int width, int bitsPerPixel)
{
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

// File header and information header for an uncompressed bottom-up bitmap.
std::vector<std::uint8_t> Headers(int width, int height, int bitsPerPixel, int paletteSize)
{
    const std::uint32_t pixelBytes = RowBytes(width, bitsPerPixel) * height;
    const std::uint32_t offset = 14 + 40 + 4 * paletteSize;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
    Put16(out, 1);
    Put16(out, static_cast<std::uint16_t>(bitsPerPixel));
    Put32(out, 0);  // BI_RGB, no compression
    Put32(out, pixelBytes);
    Put32(out, 3780);  // 96 dots per inch, in dots per metre
    Put32(out, 3780);
    Put32(out, static_cast<std::uint32_t>(paletteSize));
    Put32(out, 0);
    return out;
}

bool Save(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

const Palette16& StandardPalette()
{
    static const Palette16 palette = {{
        {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
        {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
        {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    }};
    return palette;
}

bool WriteBmp24(const std::string& path, const cv::Mat& bgr)
{
    if (bgr.empty() || bgr.type() != CV_8UC3) {
        return false;
    }
    std::vector<std::uint8_t> out = Headers(bgr.cols, bgr.rows, 24, 0);
    const std::uint32_t padding = RowBytes(bgr.cols, 24) - 3u * bgr.cols;
    for (int y = bgr.rows - 1; y >= 0; --y) {
        const std::uint8_t* row = bgr.ptr<std::uint8_t>(y);
        out.insert(out.end(), row, row + 3 * bgr.cols);
        out.insert(out.end(), padding, 0);
    }
    return Save(path, out);
}

bool WriteBmp4(const std::string& path, const cv::Mat& indices, const Palette16& palette)
{
    if (indices.empty() || indices.type() != CV_8UC1) {
        return false;
    }
    std::vector<std::uint8_t> out = Headers(indices.cols, indices.rows, 4, 16);
    for (const PaletteColour& c : palette) {
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    const std::uint32_t rowBytes = RowBytes(indices.cols, 4);
    for (int y = indices.rows - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < indices.cols; ++x) {
            const std::uint8_t index = indices.at<std::uint8_t>(y, x);
            if (index > 15) {
                return false;
            }
            // The left pixel of each pair sits in the high half of the byte.
            row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return Save(path, out);
}

}  // namespace pictures
