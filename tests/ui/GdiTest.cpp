// Drawing: 24-bit pixel blocks into memory bitmaps, block transfers to a
// window, bitmaps read back in the display format, and handles given back.
#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "TestDialogs.h"
#include "UiTestSupport.h"

using namespace uitest;

namespace {

struct Bgr {
    BYTE b, g, r;
    bool operator==(const Bgr&) const = default;
};

// A 24-bit block of width x height whose pixel (x, y) encodes x and y, with
// its header. Rows are padded to 4 bytes; padding is filled with garbage so
// that reading it as a pixel shows.
struct Block {
    Block(int width, int height, bool topDown) : stride((width * 3 + 3) & ~3), bits(std::size_t(stride) * height, 0xEE)
    {
        std::memset(&info, 0, sizeof(info));
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = topDown ? -height : height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        for (int y = 0; y < height; ++y) {
            const int row = topDown ? y : height - 1 - y;
            for (int x = 0; x < width; ++x) {
                BYTE* p = &bits[std::size_t(row) * stride + std::size_t(x) * 3];
                p[0] = BYTE(10 + x);
                p[1] = BYTE(100 + y);
                p[2] = 200;
            }
        }
    }
    static Bgr Expected(int x, int y) { return Bgr{BYTE(10 + x), BYTE(100 + y), 200}; }

    int stride;
    std::vector<BYTE> bits;
    BITMAPINFO info;
};

Bgr PixelOf(const std::vector<BYTE>& bits32, int widthBytes, int x, int y)
{
    const BYTE* p = &bits32[std::size_t(y) * widthBytes + std::size_t(x) * 4];
    return Bgr{p[0], p[1], p[2]};
}

}  // namespace

TEST(GdiTest, PixelBlocksLandPixelForPixelForEveryWidthAndRowOrder)
{
    for (const bool topDown : {true, false}) {
        for (int width = 1; width <= 9; ++width) {
            const int height = 3;
            Block block(width, height, topDown);
            CDC dc;
            CBitmap bitmap;
            ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
            ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, width, height));
            CBitmap* old = dc.SelectObject(&bitmap);
            ASSERT_NE(old, nullptr);
            EXPECT_EQ(StretchDIBits(dc.GetSafeHdc(), 0, 0, width, height, 0, 0, width, height,
                                    block.bits.data(), &block.info, DIB_RGB_COLORS, SRCCOPY), height);
            dc.SelectObject(old);

            BITMAP bm{};
            ASSERT_EQ(bitmap.GetObject(sizeof(bm), &bm), int(sizeof(bm)));
            std::vector<BYTE> bits32(std::size_t(bm.bmWidthBytes) * bm.bmHeight);
            ASSERT_EQ(bitmap.GetBitmapBits(DWORD(bits32.size()), bits32.data()), bits32.size());
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    EXPECT_EQ(PixelOf(bits32, bm.bmWidthBytes, x, y), Block::Expected(x, y))
                        << "width " << width << " top-down " << topDown << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(GdiTest, APartOfABlockLandsWhereItIsSentAndNothingElseChanges)
{
    // Source rectangle 1,2 3x2 of a 6x5 block, to 2,1 of an 8x6 bitmap. A
    // bottom-up block counts its rows from the bottom: there the rectangle
    // is rows 1 and 2 from the top, else rows 2 and 3.
    for (const bool topDown : {true, false}) {
        Block block(6, 5, topDown);
        CDC dc;
        CBitmap bitmap;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 8, 6));
        CBitmap* old = dc.SelectObject(&bitmap);
        EXPECT_EQ(StretchDIBits(dc.GetSafeHdc(), 2, 1, 3, 2, 1, 2, 3, 2, block.bits.data(), &block.info,
                                DIB_RGB_COLORS, SRCCOPY), 2);
        dc.SelectObject(old);

        BITMAP bm{};
        ASSERT_EQ(bitmap.GetObject(sizeof(bm), &bm), int(sizeof(bm)));
        std::vector<BYTE> bits32(std::size_t(bm.bmWidthBytes) * bm.bmHeight);
        bitmap.GetBitmapBits(DWORD(bits32.size()), bits32.data());
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
                const Bgr expected = inside ? Block::Expected(x - 1, topDown ? y + 1 : y) : Bgr{0, 0, 0};
                EXPECT_EQ(PixelOf(bits32, bm.bmWidthBytes, x, y), expected)
                    << "top-down " << topDown << " at " << x << "," << y;
            }
        }
    }
}

TEST(GdiTest, UnsupportedBlocksCopyNothing)
{
    Block block(4, 4, true);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    block.info.bmiHeader.biBitCount = 8;
    EXPECT_EQ(StretchDIBits(dc.GetSafeHdc(), 0, 0, 4, 4, 0, 0, 4, 4, block.bits.data(), &block.info,
                            DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 4, 4, 0, 0, 4, 4, block.bits.data(), &block.info,
                            DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(GdiTest, BitmapInUseCannotBeDeletedOrSelectedElsewhere)
{
    const int dcs = GdiLiveDeviceContexts();
    const int bitmaps = GdiLiveBitmaps();
    {
        CDC first;
        CDC second;
        first.CreateCompatibleDC(nullptr);
        second.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&first, 8, 8);
        CBitmap* stock = first.SelectObject(&bitmap);
        ASSERT_NE(stock, nullptr);
        EXPECT_EQ(second.SelectObject(&bitmap), nullptr);
        EXPECT_FALSE(bitmap.DeleteObject());
        EXPECT_EQ(first.SelectObject(stock), &bitmap);
        EXPECT_TRUE(bitmap.DeleteObject());
        EXPECT_EQ(GdiLiveDeviceContexts(), dcs + 2);
    }
    EXPECT_EQ(GdiLiveDeviceContexts(), dcs);
    EXPECT_EQ(GdiLiveBitmaps(), bitmaps);
}

TEST(GdiTest, BitmapGoingWhileSelectedLeavesTheDcUsable)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    {
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, 8, 8);
        dc.SelectObject(&bitmap);
    }
    Block block(2, 2, true);
    // Draws into the stock bitmap now, not into freed pixels.
    EXPECT_EQ(StretchDIBits(dc.GetSafeHdc(), 0, 0, 2, 2, 0, 0, 2, 2, block.bits.data(), &block.info,
                            DIB_RGB_COLORS, SRCCOPY), 2);
}

TEST(GdiTest, IndicatorBitmapReadsBackIn32BitsTopRowFirst)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(131));
    BITMAP bm{};
    bitmap.GetObject(sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    EXPECT_EQ(bm.bmHeight, 32);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 128);
    std::vector<BYTE> bits(std::size_t(bm.bmWidthBytes) * bm.bmHeight);
    EXPECT_EQ(bitmap.GetBitmapBits(DWORD(bits.size()), bits.data()), bits.size());
    EXPECT_EQ(PixelOf(bits, bm.bmWidthBytes, 0, 0), (Bgr{192, 192, 192}));    // silver background
    EXPECT_EQ(PixelOf(bits, bm.bmWidthBytes, 16, 17), (Bgr{0, 0, 255}));      // red ball
    // Never more than asked for.
    std::vector<BYTE> few(10, 0x55);
    EXPECT_EQ(bitmap.GetBitmapBits(4, few.data()), 4u);
    EXPECT_EQ(few[4], 0x55);
}

TEST(GdiTest, MissingBitmapDoesNotLoad)
{
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(999));
    BITMAP bm{};
    EXPECT_EQ(bitmap.GetObject(sizeof(bm), &bm), 0);
}

TEST(GdiTest, BlockTransferToAWindowShowsInsideItsFrame)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        CWnd* frame = dlg.GetDlgItem(kFrameId);
        CRect client;
        frame->GetClientRect(&client);
        const QSize outer = frame->GetSafeHwnd()->size();
        EXPECT_EQ(client.Width(), outer.width() - 2);
        EXPECT_EQ(client.Height(), outer.height() - 2);

        CDC* pDC = frame->GetDC();
        ASSERT_NE(pDC, nullptr);
        CDC memDC;
        memDC.CreateCompatibleDC(pDC);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
        CBitmap* old = memDC.SelectObject(&bitmap);
        Block block(client.Width(), client.Height(), true);
        StretchDIBits(memDC.GetSafeHdc(), 0, 0, client.Width(), client.Height(), 0, 0, client.Width(),
                      client.Height(), block.bits.data(), &block.info, DIB_RGB_COLORS, SRCCOPY);
        EXPECT_TRUE(pDC->BitBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY));
        memDC.SelectObject(old);
        EXPECT_EQ(frame->ReleaseDC(pDC), 1);
        EXPECT_EQ(frame->ReleaseDC(pDC), 0);

        const QImage shown = frame->GetSafeHwnd()->grab().toImage();
        EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));  // the frame
        for (const QPoint p : {QPoint(0, 0), QPoint(client.Width() - 1, client.Height() - 1), QPoint(3, 2)}) {
            const Bgr expected = Block::Expected(p.x(), p.y());
            EXPECT_EQ(shown.pixelColor(p + QPoint(1, 1)), QColor(expected.r, expected.g, expected.b));
        }
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(GdiTest, OnlyWindowsThatKeepAPictureGiveADc)
{
    TestDialog dlg;
    RunModal(dlg, [&] {
        EXPECT_EQ(dlg.GetDlgItem(kGoButtonId)->GetDC(), nullptr);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.GetDC(), nullptr);  // no window at all
}
