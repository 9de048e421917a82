// Static controls: text, icon, bitmap and black frame.
#include <QPainter>

#include "platform/ui/ControlWidgets.h"
#include "platform/ui/GdiHandles.h"
#include "platform/ui/GdiSurfaces.h"
#include "platform/ui/Wnd.h"

StaticControl::StaticControl(QWidget* parent, const DialogItemTemplate& item)
    : QWidget(parent), WindowLink(this, item.id, item.style)
{
    if (item.text != nullptr) {
        m_text = QString::fromUtf8(item.text);
    }
}

void StaticControl::SetText(const QString& text)
{
    m_text = text;
    update();
}

bool StaticControl::HasFrame() const
{
    return (Style() & SS_TYPEMASK) == SS_BLACKFRAME;
}

QRect StaticControl::ClientArea() const
{
    return HasFrame() ? rect().adjusted(1, 1, -1, -1) : rect();
}

QImage* StaticControl::RetainedPicture()
{
    const QSize size = ClientArea().size();
    if (size.isEmpty()) {
        return nullptr;
    }
    if (m_picture.size() != size) {
        m_picture = QImage(size, QImage::Format_RGB32);
        m_picture.fill(Qt::black);
        // From now on the picture and the frame cover the whole control, so
        // repainting it needs nothing from the dialog underneath (which
        // could otherwise ask for the picture again and again).
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    return &m_picture;
}

void StaticControl::PictureChanged(const QRect& clientRect)
{
    update(clientRect.translated(ClientArea().topLeft()));
}

void StaticControl::SetImage(const QImage& image, QSize drawnSize)
{
    m_image = image;
    resize(drawnSize);
    update();
}

void StaticControl::PaintText(QPainter& painter, COLORREF textColor, int bkMode, COLORREF bkColor)
{
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    flags |= (Style() & SS_NOPREFIX) != 0 ? 0 : Qt::TextShowMnemonic;
    if (bkMode == OPAQUE) {
        painter.fillRect(painter.boundingRect(rect(), flags, m_text), ToQColor(bkColor));
    }
    painter.setPen(isEnabled() ? ToQColor(textColor) : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect(), flags, m_text);
}

void StaticControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const DWORD kind = Style() & SS_TYPEMASK;

    // The dialog decides the colours. A null brush is the window's own
    // background, a hollow one none at all (the dialog shows through).
    CPainterDC dc(painter);
    const QColor window = palette().color(QPalette::Window);
    dc.m_hDC->textColor = ToColorRef(palette().color(QPalette::WindowText));
    dc.m_hDC->bkColor = ToColorRef(window);
    HBRUSH brush = nullptr;
    if (CWnd* dialog = CWnd::FromHandle(parentWidget())) {
        brush = reinterpret_cast<HBRUSH>(dialog->SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
            reinterpret_cast<LPARAM>(static_cast<QWidget*>(this))));
    }

    if (kind == SS_LEFT || kind == SS_ICON) {
        if (brush == nullptr) {
            painter.fillRect(rect(), window);
        } else if (!brush->hollow) {
            painter.fillRect(rect(), ToQColor(brush->color));
        }
    }
    switch (kind) {
    case SS_LEFT:
        PaintText(painter, dc.m_hDC->textColor, dc.m_hDC->bkMode, dc.m_hDC->bkColor);
        break;
    case SS_ICON:
    case SS_BITMAP:
        if (!m_image.isNull()) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), m_image);
        }
        break;
    case SS_BLACKFRAME:
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        break;
    default:
        break;
    }
    if (!m_picture.isNull()) {
        painter.drawImage(ClientArea().topLeft(), m_picture);
    }
}
