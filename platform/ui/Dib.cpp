// Device-independent pixel blocks into a device context.
#include <QPainter>
#include <cstdlib>

#include "platform/ui/Gdi.h"
#include "platform/ui/GdiHandles.h"

namespace {

// The preview's case, once per frame: a top-down block copied unscaled
// into a memory DC's 32-bit bitmap. Rows are converted straight into the
// bitmap instead of going through a painter. False when the case does not
// apply and the painter must do it.
bool CopyUnscaled(HDC hdc, const QRect& to, const QRect& from, const uchar* bits, qsizetype stride,
                  const QSize& blockSize)
{
    QImage* target = hdc->Pixels();
    if (target == nullptr || target->format() != QImage::Format_RGB32 || to.size() != from.size() ||
        !target->rect().contains(to) || !QRect(QPoint(0, 0), blockSize).contains(from)) {
        return false;
    }
    for (int row = 0; row < to.height(); ++row) {
        const uchar* source = bits + (from.top() + row) * stride + qsizetype(from.left()) * 3;
        auto* line = reinterpret_cast<QRgb*>(target->scanLine(to.top() + row)) + to.left();
        for (int x = 0; x < to.width(); ++x, source += 3) {
            line[x] = qRgb(source[2], source[1], source[0]);
        }
    }
    return true;
}

}  // namespace

int StretchDIBits(HDC hdc, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                  int ySrc, int nSrcWidth, int nSrcHeight, const void* lpBits,
                  const BITMAPINFO* lpbmi, UINT iUsage, DWORD dwRop)
{
    if (hdc == nullptr || lpBits == nullptr || lpbmi == nullptr || iUsage != DIB_RGB_COLORS ||
        dwRop != SRCCOPY) {
        return 0;
    }
    const BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    if (header.biBitCount != 24 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        header.biHeight == 0 || nSrcWidth <= 0 || nSrcHeight <= 0 || nDestWidth <= 0 ||
        nDestHeight <= 0) {
        return 0;
    }
    const int width = header.biWidth;
    const int height = std::abs(header.biHeight);
    const bool topDown = header.biHeight < 0;
    // Rows of a 24-bit block are padded to whole 4-byte words.
    const qsizetype stride = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    QRect from(xSrc, ySrc, nSrcWidth, nSrcHeight);
    const QRect to(xDest, yDest, nDestWidth, nDestHeight);
    if (topDown && CopyUnscaled(hdc, to, from, static_cast<const uchar*>(lpBits), stride, QSize(width, height))) {
        return nSrcHeight;
    }
    QImage block(static_cast<const uchar*>(lpBits), width, height, stride, QImage::Format_BGR888);

    // A bottom-up block counts its source rows from the bottom.
    if (!topDown) {
        block = block.mirrored(false, true);
        from.moveTop(height - ySrc - nSrcHeight);
    }
    const bool drawn = hdc->Draw(to, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to, block, from);
    });
    return drawn ? nSrcHeight : 0;
}
