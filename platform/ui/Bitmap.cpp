// Bitmaps: loading, creating, reading back; the stock bitmap and brushes.
#include <QString>
#include <algorithm>
#include <cstring>

#include "platform/ui/GdiHandles.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Resources.h"

int HBITMAP__::s_live = 0;

HBITMAP__::HBITMAP__(bool isCounted) : counted(isCounted)
{
    s_live += counted ? 1 : 0;
}

HBITMAP__::~HBITMAP__()
{
    s_live -= counted ? 1 : 0;
}

HBITMAP StockBitmap()
{
    static HBITMAP__ stock(false);
    if (stock.image.isNull()) {
        stock.image = QImage(1, 1, QImage::Format_RGB32);
        stock.image.fill(Qt::black);
    }
    return &stock;
}

CBitmap* StockBitmapObject()
{
    // The stock bitmap is made first so that it outlives this object.
    StockBitmap();
    static CBitmap object;
    object.m_hObject = StockBitmap();
    return &object;
}

CBitmap::CBitmap() = default;

CBitmap::~CBitmap()
{
    if (m_hObject == nullptr || m_hObject == StockBitmap()) {
        return;
    }
    // Going out of scope while still selected: the DC falls back to its
    // stock bitmap rather than keep drawing into freed pixels.
    if (m_hObject->selectedIn != nullptr) {
        m_hObject->selectedIn->ForgetBitmap(m_hObject);
    }
    delete m_hObject;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    QImage picture(QString::fromStdString(BitmapResourcePath(nIDResource)));
    // A bitmap still selected into a DC cannot be replaced.
    if (picture.isNull() || (m_hObject != nullptr && !DeleteObject())) {
        return FALSE;
    }
    m_hObject = new HBITMAP__;
    m_hObject->image = picture.convertToFormat(QImage::Format_RGB32);
    m_hObject->owner = this;
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || (m_hObject != nullptr && !DeleteObject())) {
        return FALSE;
    }
    QImage pixels(nWidth, nHeight, QImage::Format_RGB32);
    if (pixels.isNull()) {
        return FALSE;
    }
    pixels.fill(Qt::black);
    m_hObject = new HBITMAP__;
    m_hObject->image = std::move(pixels);
    m_hObject->owner = this;
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    if (m_hObject == nullptr || m_hObject == StockBitmap() || m_hObject->selectedIn != nullptr) {
        return FALSE;
    }
    delete m_hObject;
    m_hObject = nullptr;
    return TRUE;
}

int CBitmap::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == nullptr || lpObject == nullptr || nCount <= 0) {
        return 0;
    }
    const QImage& image = m_hObject->image;
    const BITMAP bm{0, image.width(), image.height(), LONG(image.bytesPerLine()), 1, 32, nullptr};
    const int n = std::min(nCount, int(sizeof(BITMAP)));
    std::memcpy(lpObject, &bm, std::size_t(n));
    return n;
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    if (m_hObject == nullptr || lpBits == nullptr) {
        return 0;
    }
    const QImage& image = m_hObject->image;
    const DWORD n = std::min(dwCount, DWORD(image.sizeInBytes()));
    std::memcpy(lpBits, image.constBits(), n);
    return n;
}

HGDIOBJ GetStockObject(int fnObject)
{
    static HBRUSH__ hollow{true, 0};
    return fnObject == NULL_BRUSH ? &hollow : nullptr;
}

int GdiLiveBitmaps()
{
    return HBITMAP__::s_live;
}
