#pragma once
// Rectangle, point and size classes over the plain structures.

#include "platform/ui/WinDef.h"

class CRect : public RECT {
public:
    CRect() = default;
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    explicit CRect(const RECT& r) : RECT(r) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    operator LPRECT() { return this; }
};

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(LONG px, LONG py) : POINT{px, py} {}
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(LONG w, LONG h) : SIZE{w, h} {}
};
