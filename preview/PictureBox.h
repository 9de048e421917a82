#pragma once
// The preview box: a static control that keeps an off-screen canvas as large
// as its client area. ShowImage scales a frame into the canvas; Redraw puts
// the canvas on the screen in one transfer. The box never draws by itself.

#include <memory>
#include <opencv2/core.hpp>

#include "platform/ui/Controls.h"
#include "platform/ui/Gdi.h"

// The bitmap-info block handed to the drawing code with the canvas pixels:
// a BITMAPINFO with room for 256 more colour-table entries, 1,068 bytes.
// Only its header is ever filled; 24-bit pixels use no colour table.
struct CanvasBitmapInfo {
    BITMAPINFO info;
    RGBQUAD moreColors[256];
};
static_assert(sizeof(CanvasBitmapInfo) == 1068);

class CPictureBox : public CStatic {
public:
    CPictureBox();
    ~CPictureBox() override;

    // Sizes the canvas to the client area and blanks it. The control must be
    // bound to its window.
    virtual void InitCanvas();
    // Blanks the canvas; draws nothing.
    virtual void ClearCanvas();
    // Scales an 8-bit, 3-channel image onto the whole canvas (bilinear,
    // separate horizontal and vertical factors). The image is only read, and
    // only during the call. Nothing is drawn.
    virtual void ShowImage(const cv::Mat& image);
    // Puts the canvas on the screen. Without a window or a canvas it draws
    // nothing and holds nothing afterwards.
    virtual void Redraw();

protected:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::unique_ptr<CanvasBitmapInfo> m_pBmpInfo;
    // Blue, green, red; top row first; rows padded to 4 bytes like the rows
    // of a 24-bit bitmap, so the pixels go to the drawing code as they are.
    std::unique_ptr<cv::Mat> m_pCanvas;
};
