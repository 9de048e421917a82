// Device-independent pixel blocks into a device context.
#include <QPainter>
#include <cstdlib>

#include "platform/ui/Gdi.h"
#include "platform/ui/GdiHandles.h"

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
    QImage block(static_cast<const uchar*>(lpBits), width, height, stride, QImage::Format_BGR888);

    // A bottom-up block counts its source rows from the bottom.
    QRect from(xSrc, ySrc, nSrcWidth, nSrcHeight);
    if (!topDown) {
        block = block.mirrored(false, true);
        from.moveTop(height - ySrc - nSrcHeight);
    }
    const QRect to(xDest, yDest, nDestWidth, nDestHeight);
    const bool drawn = hdc->Draw(to, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to, block, from);
    });
    return drawn ? nSrcHeight : 0;
}
