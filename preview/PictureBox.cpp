#include "preview/PictureBox.h"

#include <opencv2/imgproc.hpp>

namespace {

// A black canvas whose rows have the length of a 24-bit bitmap's rows.
std::unique_ptr<cv::Mat> CreateCanvas(int width, int height)
{
    if (width <= 0 || height <= 0) {
        return std::make_unique<cv::Mat>();
    }
    const int stride = (width * 3 + 3) & ~3;
    cv::Mat storage(height, stride, CV_8UC1, cv::Scalar(0));
    // A view of the first width * 3 bytes of each row, as 3-channel pixels;
    // it shares (and keeps alive) the padded storage.
    return std::make_unique<cv::Mat>(storage(cv::Rect(0, 0, width * 3, height)).reshape(3));
}

}  // namespace

CPictureBox::CPictureBox() = default;

CPictureBox::~CPictureBox()
{
    m_pBmpInfo.reset();
    m_pCanvas.reset();
}

void CPictureBox::InitCanvas()
{
    CRect rect;
    GetClientRect(&rect);
    m_nWidth = rect.Width();
    m_nHeight = rect.Height();

    m_pCanvas.reset();
    m_pBmpInfo.reset();
    m_pCanvas = CreateCanvas(m_nWidth, m_nHeight);

    m_pBmpInfo = std::make_unique<CanvasBitmapInfo>();
    BITMAPINFOHEADER& header = m_pBmpInfo->info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = m_nWidth;
    header.biHeight = -m_nHeight;  // top row first, as in the canvas
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(m_nWidth) * DWORD(m_nHeight) * 3;
}

void CPictureBox::ClearCanvas()
{
    if (m_pCanvas) {
        m_pCanvas->setTo(cv::Scalar::all(0));
    }
}

void CPictureBox::ShowImage(const cv::Mat& image)
{
    // Any other type would make resize replace the canvas with a fresh,
    // unpadded one that no longer matches the bitmap-info block.
    if (!m_pCanvas || m_pCanvas->empty() || image.empty() || image.type() != CV_8UC3) {
        return;
    }
    cv::resize(image, *m_pCanvas, m_pCanvas->size(), 0, 0, cv::INTER_LINEAR);
}

void CPictureBox::Redraw()
{
    CDC* pDC = GetDC();
    if (pDC == nullptr) {
        return;
    }
    if (!m_pCanvas) {
        ReleaseDC(pDC);
        return;
    }

    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, m_nWidth, m_nHeight)) {
        // memDC and bitmap delete whatever they made when they go.
        ReleaseDC(pDC);
        return;
    }
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);

    StretchDIBits(memDC.GetSafeHdc(), 0, 0, m_nWidth, m_nHeight, 0, 0, m_nWidth, m_nHeight,
                  m_pCanvas->data, &m_pBmpInfo->info, DIB_RGB_COLORS, SRCCOPY);
    pDC->BitBlt(0, 0, m_nWidth, m_nHeight, &memDC, 0, 0, SRCCOPY);

    memDC.SelectObject(pOldBitmap);
    bitmap.DeleteObject();
    memDC.DeleteDC();
    ReleaseDC(pDC);
}
