#pragma once
// An image header that owns no pixels: the size and type of an image, to be
// pointed at pixels that someone else owns.

#include <cstddef>
#include <memory>
#include <opencv2/core.hpp>

class ImageHeader {
public:
    ImageHeader(cv::Size size, int type) : m_size(size), m_type(type) {}

    cv::Size Size() const { return m_size; }
    int Type() const { return m_type; }

    // Points the header at pixels (rows of `step` bytes) it does not own.
    void SetData(void* data, std::size_t step)
    {
        m_data = data;
        m_step = step;
    }
    // The borrowed pixels as an image; empty while the header points nowhere.
    cv::Mat Image() const
    {
        return m_data != nullptr ? cv::Mat(m_size, m_type, m_data, m_step) : cv::Mat();
    }

private:
    cv::Size m_size;
    int m_type;
    void* m_data = nullptr;
    std::size_t m_step = 0;
};

inline std::unique_ptr<ImageHeader> CreateImageHeader(cv::Size size, int type)
{
    return std::make_unique<ImageHeader>(size, type);
}
