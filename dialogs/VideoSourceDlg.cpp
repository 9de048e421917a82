#include "dialogs/VideoSourceDlg.h"

#include "platform/ui/DataExchange.h"
#include "res/resource.h"

namespace {

constexpr int kMinMinutes = 0;
constexpr int kMaxMinutes = 100;

}  // namespace

BEGIN_MESSAGE_MAP(CVideoSourceDlg, CDialog)
    ON_BN_CLICKED(IDOK, &CVideoSourceDlg::OnOkClicked)
END_MESSAGE_MAP()

// No parent: the framework makes the recorder window the owner.
CVideoSourceDlg::CVideoSourceDlg(int nMinutes) : CDialog(IDD_VIDEO_SOURCE), m_nMinutes(nMinutes)
{
}

CVideoSourceDlg::~CVideoSourceDlg() = default;

void CVideoSourceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOURCE_COMBO, m_comboSource);
    DDX_Text(pDX, IDC_MINUTES_EDIT, m_nMinutes);
    DDV_MinMaxInt(pDX, m_nMinutes, kMinMinutes, kMaxMinutes);
}

BOOL CVideoSourceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_names.empty()) {
        for (const std::string& name : m_names) {
            m_comboSource.AddString(name.c_str());
        }
        m_comboSource.SetCurSel(0);
    }
    return TRUE;
}

void CVideoSourceDlg::OnOkClicked()
{
    // Only the list's selection counts; text typed into the combo box's
    // field is never read.
    const int selected = m_comboSource.GetCurSel();
    if (selected == CB_ERR) {
        MessageBox("请选择一个摄像机!", "打开摄像机", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_nSelected = selected;
    CDialog::OnOK();
}
