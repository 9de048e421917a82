#pragma once
// What stands behind the drawing handles. Internal to the framework.

#include <QImage>
#include <QRect>
#include <functional>

#include "platform/ui/WinUser.h"

class CBitmap;
class CDC;
class QPainter;

struct HICON__ {
    QImage image;  // as stored; drawn at the system icon size
};

struct HBRUSH__ {
    bool hollow = false;
    COLORREF color = 0;
};

struct HBITMAP__ {
    // The stock bitmap is not counted among the live ones.
    explicit HBITMAP__(bool counted = true);
    ~HBITMAP__();
    HBITMAP__(const HBITMAP__&) = delete;
    HBITMAP__& operator=(const HBITMAP__&) = delete;

    QImage image;                 // 32 bits a pixel, blue first in memory
    CBitmap* owner = nullptr;     // the object that deletes it; null for the stock bitmap
    HDC__* selectedIn = nullptr;  // the memory DC it is selected into
    const bool counted;
    static int s_live;
};

// A device context: something to draw on, with the text settings that
// OnCtlColor hands back to a control.
struct HDC__ {
    HDC__();
    virtual ~HDC__();
    HDC__(const HDC__&) = delete;
    HDC__& operator=(const HDC__&) = delete;

    // Runs `paint` with a painter on the DC's surface; `area` is the part it
    // may change, in the DC's coordinates. False when there is no surface.
    virtual bool Draw(const QRect& area, const std::function<void(QPainter&)>& paint) = 0;
    // The pixels a block transfer reads from this DC; null when none.
    virtual const QImage* Source() const { return nullptr; }
    // The pixels this DC draws into when they can be written directly;
    // null when drawing must go through Draw.
    virtual QImage* Pixels() { return nullptr; }
    // Called when a bitmap selected here is deleted with its object.
    virtual void ForgetBitmap(HBITMAP /*bitmap*/) {}

    CDC* owner = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    static int s_live;
};

QColor ToQColor(COLORREF color);
COLORREF ToColorRef(const QColor& color);

// The stock 1x1 bitmap every memory DC starts with, and an object for it
// that SelectObject can hand back.
HBITMAP StockBitmap();
CBitmap* StockBitmapObject();
