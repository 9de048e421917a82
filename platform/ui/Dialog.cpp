#include "platform/ui/Dialog.h"

#include <QApplication>
#include <QEventLoop>
#include <algorithm>
#include <vector>

#include "platform/ui/DialogBuilder.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/DialogWindow.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

// The dialogs whose modal loops are running, innermost last.
std::vector<CDialog*>& RunningModals()
{
    static std::vector<CDialog*> running;
    return running;
}

class ModalScope {
public:
    explicit ModalScope(CDialog* dialog) : m_dialog(dialog) { RunningModals().push_back(dialog); }
    ~ModalScope()
    {
        auto& running = RunningModals();
        running.erase(std::remove(running.begin(), running.end(), m_dialog), running.end());
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    CDialog* m_dialog;
};

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog* AfxGetRunningModal()
{
    const auto& running = RunningModals();
    return running.empty() ? nullptr : running.back();
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpDialogTemplate(AfxFindDialogTemplate(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog() = default;

CDialog::~CDialog()
{
    DestroyModalWindow();
}

BOOL CDialog::InitModalIndirect(const DialogTemplate* pTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = pTemplate;
    m_pParentWnd = pParentWnd;
    return pTemplate != nullptr ? TRUE : FALSE;
}

CWnd* CDialog::FindOwner() const
{
    CWnd* owner = m_pParentWnd;
    if (owner == nullptr) {
        owner = AfxGetRunningModal();
    }
    if (owner == nullptr) {
        owner = AfxGetMainWnd();
    }
    return owner != nullptr && owner != this && owner->m_hWnd != nullptr ? owner : nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_lpDialogTemplate == nullptr || m_hWnd != nullptr || QApplication::instance() == nullptr) {
        return -1;
    }
    // The dialogs' own loops are the application's loops: closing the last
    // window must not quit anything behind the framework's back.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    CWnd* owner = FindOwner();
    QWidget* ownerWidget = owner != nullptr ? owner->m_hWnd : nullptr;
    DialogWindow* window = BuildDialogWindow(*m_lpDialogTemplate, this, ownerWidget);
    m_nModalResult = -1;
    m_bEnded = false;
    ModalScope scope(this);

    const BOOL focusFirstTabStop = OnInitDialog();
    if (!m_bEnded && m_hWnd == window) {
        PlaceDialogWindow(window, *m_lpDialogTemplate, ownerWidget);
        window->show();
        PlaceDialogWindow(window, *m_lpDialogTemplate, ownerWidget);
        window->activateWindow();
        if (focusFirstTabStop) {
            window->FocusFirstTabStop();
        }
        QEventLoop loop;
        m_pModalLoop = &loop;
        if (!m_bEnded) {
            loop.exec(QEventLoop::DialogExec);
        }
        m_pModalLoop = nullptr;
    }
    DestroyModalWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (m_pModalLoop != nullptr) {
        m_pModalLoop->exit(0);
    }
}

void CDialog::DestroyModalWindow()
{
    if (m_hWnd == nullptr) {
        return;
    }
    QWidget* window = m_hWnd;
    window->hide();
    delete window;  // clears m_hWnd and every control object's window
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    const auto* window = dynamic_cast<DialogWindow*>(m_hWnd);
    if (window == nullptr || lpRect == nullptr) {
        return;
    }
    *lpRect = MapDialogUnits(*lpRect, window->BaseUnits());
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return nCode == int(CN_COMMAND) && app != nullptr && app->OnCmdMsg(nID, nCode) ? TRUE : FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Once ended, the dialog takes no more commands or ticks: Qt may still
    // hand over events it had queued before the modal loop got to return,
    // and the handlers may already have released what they work on.
    if (m_bEnded && (message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_TIMER)) {
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        // A dialog's close box, Alt+F4 and Close in the system menu all come
        // down to the cancel command.
        return SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDCANCEL), WORD(BN_CLICKED)), 0);
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
