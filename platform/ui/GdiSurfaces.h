#pragma once
// The kinds of device context. Internal to the framework.

#include <QPointer>
#include <QWidget>

#include "platform/ui/Gdi.h"
#include "platform/ui/GdiHandles.h"

// Draws into the bitmap selected into it.
struct MemoryDC : HDC__ {
    MemoryDC();
    ~MemoryDC() override;
    bool Draw(const QRect& area, const std::function<void(QPainter&)>& paint) override;
    const QImage* Source() const override;
    QImage* Pixels() override;
    void ForgetBitmap(HBITMAP bitmap) override;

    HBITMAP selected;
};

// Draws into the picture a window keeps of its client area.
struct ClientAreaDC : HDC__ {
    explicit ClientAreaDC(QWidget* window) : widget(window) {}
    bool Draw(const QRect& area, const std::function<void(QPainter&)>& paint) override;

    QPointer<QWidget> widget;
};

// Draws with a painter that is already active on a widget.
struct PainterDC : HDC__ {
    explicit PainterDC(QPainter* p) : painter(p) {}
    bool Draw(const QRect& area, const std::function<void(QPainter&)>& paint) override;

    QPainter* painter;
};

// A CDC around a painter the framework holds (a control drawing itself).
class CPainterDC : public CDC {
public:
    explicit CPainterDC(QPainter& painter);
};
