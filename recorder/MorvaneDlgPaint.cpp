// The recorder window: painting, the drag icon and the statics' colours.
#include "platform/ui/Gdi.h"
#include "recorder/MorvaneDlg.h"

void CMorvaneDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);

        // The icon centred in the client area.
        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hAppIcon);
    } else {
        m_preview.Redraw();
        CDialog::OnPaint();
    }
}

HCURSOR CMorvaneDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hAppIcon);
}

HBRUSH CMorvaneDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(255, 0, 0));
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return hbr;
}
