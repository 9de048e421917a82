// Device contexts: the CDC object, the DC kinds, window DCs and paint DCs.
#include <QPainter>
#include <algorithm>
#include <utility>

#include "platform/ui/GdiSurfaces.h"
#include "platform/ui/WindowLink.h"
#include "platform/ui/Wnd.h"

int HDC__::s_live = 0;

HDC__::HDC__()
{
    ++s_live;
}

HDC__::~HDC__()
{
    --s_live;
}

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF ToColorRef(const QColor& color)
{
    return RGB(BYTE(color.red()), BYTE(color.green()), BYTE(color.blue()));
}

MemoryDC::MemoryDC() : selected(StockBitmap()) {}

MemoryDC::~MemoryDC()
{
    // Deleting a DC lets go of its bitmap; the bitmap itself lives on.
    if (selected != StockBitmap()) {
        selected->selectedIn = nullptr;
    }
}

bool MemoryDC::Draw(const QRect&, const std::function<void(QPainter&)>& paint)
{
    QPainter painter(&selected->image);
    paint(painter);
    return true;
}

const QImage* MemoryDC::Source() const
{
    return &selected->image;
}

QImage* MemoryDC::Pixels()
{
    return &selected->image;
}

void MemoryDC::ForgetBitmap(HBITMAP bitmap)
{
    if (selected == bitmap) {
        selected = StockBitmap();
    }
}

bool ClientAreaDC::Draw(const QRect& area, const std::function<void(QPainter&)>& paint)
{
    WindowLink* link = widget != nullptr ? WindowLink::From(widget) : nullptr;
    QImage* picture = link != nullptr ? link->RetainedPicture() : nullptr;
    if (picture == nullptr) {
        return false;
    }
    {
        QPainter painter(picture);
        paint(painter);
    }
    link->PictureChanged(area);
    return true;
}

bool PainterDC::Draw(const QRect&, const std::function<void(QPainter&)>& paint)
{
    if (painter == nullptr) {
        return false;
    }
    painter->save();
    paint(*painter);
    painter->restore();
    return true;
}

CPainterDC::CPainterDC(QPainter& painter)
{
    Attach(std::make_unique<PainterDC>(&painter));
}

CDC::CDC() = default;

CDC::~CDC() = default;

CDC* CDC::FromHandle(HDC hDC)
{
    return hDC != nullptr ? hDC->owner : nullptr;
}

void CDC::Attach(std::unique_ptr<HDC__> hDC)
{
    m_owned = std::move(hDC);
    m_owned->owner = this;
    m_hDC = m_owned.get();
}

std::unique_ptr<HDC__> CDC::Detach()
{
    m_hDC = nullptr;
    return std::move(m_owned);
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    if (m_hDC != nullptr) {
        return FALSE;
    }
    Attach(std::make_unique<MemoryDC>());
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr) {
        return FALSE;
    }
    Detach().reset();
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    auto* memory = dynamic_cast<MemoryDC*>(m_hDC);
    if (memory == nullptr || pBitmap == nullptr || pBitmap->m_hObject == nullptr) {
        return nullptr;
    }
    const HBITMAP bitmap = pBitmap->m_hObject;
    const HBITMAP stock = StockBitmap();
    // A bitmap is drawn into by one DC at a time.
    if (bitmap != stock && bitmap->selectedIn != nullptr && bitmap->selectedIn != memory) {
        return nullptr;
    }
    const HBITMAP previous = memory->selected;
    if (previous != stock) {
        previous->selectedIn = nullptr;
    }
    memory->selected = bitmap;
    if (bitmap != stock) {
        bitmap->selectedIn = memory;
    }
    return previous == stock ? StockBitmapObject() : previous->owner;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (m_hDC == nullptr || pSrcDC == nullptr || pSrcDC->m_hDC == nullptr || dwRop != SRCCOPY) {
        return FALSE;
    }
    const QImage* source = pSrcDC->m_hDC->Source();
    if (source == nullptr) {
        return FALSE;
    }
    const QRect from(xSrc, ySrc, nWidth, nHeight);
    // Within one DC the source would change under the copy.
    const QImage piece = pSrcDC == this ? source->copy(from) : QImage();
    const QRect to(x, y, nWidth, nHeight);
    return m_hDC->Draw(to, [&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (pSrcDC == this) {
            painter.drawImage(to.topLeft(), piece);
        } else {
            painter.drawImage(to.topLeft(), *source, from);
        }
    }) ? TRUE : FALSE;
}

int CDC::SetBkMode(int nBkMode)
{
    if (m_hDC == nullptr) {
        return 0;
    }
    return std::exchange(m_hDC->bkMode, nBkMode);
}

int CDC::GetBkMode() const
{
    return m_hDC != nullptr ? m_hDC->bkMode : 0;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    if (m_hDC == nullptr) {
        return 0;
    }
    return std::exchange(m_hDC->textColor, crColor);
}

COLORREF CDC::GetTextColor() const
{
    return m_hDC != nullptr ? m_hDC->textColor : 0;
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (m_hDC == nullptr || hIcon == nullptr) {
        return FALSE;
    }
    const QRect target(x, y, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    return m_hDC->Draw(target, [&](QPainter& painter) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, hIcon->image);
    }) ? TRUE : FALSE;
}

CPaintDC::CPaintDC(CWnd* pWnd)
{
    WindowLink* link =
        pWnd != nullptr && pWnd->m_hWnd != nullptr ? WindowLink::From(pWnd->m_hWnd) : nullptr;
    // Qt lets a widget be painted only from its own paint event.
    if (link != nullptr && link->IsPainting()) {
        m_painter = std::make_unique<QPainter>(pWnd->m_hWnd);
    }
    Attach(std::make_unique<PainterDC>(m_painter.get()));
}

CPaintDC::~CPaintDC()
{
    DeleteDC();
}

CDC* CWnd::GetDC()
{
    WindowLink* link = m_hWnd != nullptr ? WindowLink::From(m_hWnd) : nullptr;
    if (link == nullptr || !link->OffersRetainedPicture()) {
        return nullptr;
    }
    class CClientAreaDC : public CDC {
    public:
        explicit CClientAreaDC(QWidget* window) { Attach(std::make_unique<ClientAreaDC>(window)); }
    };
    m_heldDCs.push_back(std::make_unique<CClientAreaDC>(m_hWnd));
    return m_heldDCs.back().get();
}

int CWnd::ReleaseDC(CDC* pDC)
{
    const auto it = std::find_if(m_heldDCs.begin(), m_heldDCs.end(),
                                 [pDC](const std::unique_ptr<CDC>& held) { return held.get() == pDC; });
    if (it == m_heldDCs.end()) {
        return 0;
    }
    m_heldDCs.erase(it);
    return 1;
}

int GdiLiveDeviceContexts()
{
    return HDC__::s_live;
}
