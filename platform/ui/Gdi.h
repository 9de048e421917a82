#pragma once
// Drawing: device contexts, bitmaps and device-independent pixel blocks.
//
// A memory DC draws into the bitmap selected into it. A window DC (GetDC)
// draws into a picture the window keeps of its client area and shows in its
// own painting, so what a block transfer puts there reaches the screen
// whole. A paint DC (CPaintDC) draws on the window while it paints itself.

#include <memory>

#include "platform/ui/WinUser.h"

class CBitmap;
class CWnd;
class QPainter;

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // negative: the first row is the top row
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);

    // A memory DC with a 1x1 stock bitmap selected; pDC may be null.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // Selects a bitmap into a memory DC; returns the one it replaces (null
    // when this is not a memory DC or the bitmap is in use elsewhere).
    CBitmap* SelectObject(CBitmap* pBitmap);

    // Copies a rectangle from another DC's pixels; only SRCCOPY.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);

    int SetBkMode(int nBkMode);  // the previous mode
    int GetBkMode() const;
    COLORREF SetTextColor(COLORREF crColor);  // the previous colour
    COLORREF GetTextColor() const;

    // Draws an icon at the system icon size.
    BOOL DrawIcon(int x, int y, HICON hIcon);

protected:
    void Attach(std::unique_ptr<HDC__> hDC);
    std::unique_ptr<HDC__> Detach();

private:
    std::unique_ptr<HDC__> m_owned;
};

// Painting of a window inside its paint handler. Outside the window's own
// painting it has nothing to draw on and draws nothing.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

private:
    std::unique_ptr<QPainter> m_painter;
};

class CBitmap {
public:
    CBitmap();
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    HBITMAP m_hObject = nullptr;
    operator HBITMAP() const { return m_hObject; }

    // Bitmap nIDResource in the display's format (32 bits a pixel).
    BOOL LoadBitmap(UINT nIDResource);
    // A bitmap of the display's format, black.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // FALSE while the bitmap is selected into a DC, as nothing may pull it
    // from under a DC that draws into it.
    BOOL DeleteObject();

    // Up to nCount bytes of the BITMAP description; returns the bytes written.
    int GetObject(int nCount, LPVOID lpObject) const;
    int GetBitmap(BITMAP* pBitMap) const;
    // Up to dwCount bytes of pixels, rows top first; returns the bytes copied.
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
};

// Copies a device-independent block of pixels into a DC, scaling the source
// rectangle to the destination. Only 24-bit BI_RGB blocks (blue, green, red;
// rows padded to 4 bytes; negative height = top row first) with
// DIB_RGB_COLORS and SRCCOPY. Returns the number of rows copied, 0 on failure.
int StretchDIBits(HDC hdc, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc,
                  int ySrc, int nSrcWidth, int nSrcHeight, const void* lpBits,
                  const BITMAPINFO* lpbmi, UINT iUsage, DWORD dwRop);

// NULL_BRUSH only; null for anything else.
HGDIOBJ GetStockObject(int fnObject);

// Counts of device contexts and bitmaps alive now, so tests can check that
// drawing code gives back what it takes.
int GdiLiveDeviceContexts();
int GdiLiveBitmaps();
