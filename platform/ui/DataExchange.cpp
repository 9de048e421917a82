#include "platform/ui/DataExchange.h"

#include <QLineEdit>
#include <cctype>
#include <climits>
#include <string>

#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* control = m_pDlgWnd->GetDlgItem(nIDC);
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return control != nullptr ? control->m_hWnd : nullptr;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (!m_bSaveAndValidate || m_idLastControl == 0) {
        return;
    }
    CWnd* control = m_pDlgWnd->GetDlgItem(m_idLastControl);
    if (control == nullptr) {
        return;
    }
    control->SetFocus();
    auto* edit = qobject_cast<QLineEdit*>(control->m_hWnd);
    if (m_bEditLastControl && edit != nullptr) {
        edit->selectAll();
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->Failed() || rControl.m_hWnd != nullptr) {
        return;
    }
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr || !rControl.SubclassWindow(hWnd)) {
        pDX->Fail();
    }
}

bool ReadDecimalInt(const std::string& text, int& value)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Past the int range the exact value no longer matters.
        if (magnitude <= INT_MAX) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    if (i == firstDigit) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = int(signedValue < INT_MIN ? INT_MIN : signedValue > INT_MAX ? INT_MAX : signedValue);
    return true;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->Failed()) {
        return;
    }
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    CWnd* control = CWnd::FromHandle(hWnd);
    if (control == nullptr) {
        pDX->Fail();
        return;
    }
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(std::to_string(value).c_str());
        return;
    }
    std::string text;
    control->GetWindowText(text);
    if (!ReadDecimalInt(text, value)) {
        AfxMessageBox(AFX_IDP_PARSE_INT, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->Failed() || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) {
        return;
    }
    std::string prompt;
    AfxFormatString2(prompt, AFX_IDP_PARSE_INT_RANGE, std::to_string(minVal).c_str(),
                     std::to_string(maxVal).c_str());
    AfxMessageBox(prompt.c_str(), MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}
