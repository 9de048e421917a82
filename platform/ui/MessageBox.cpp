#include "platform/ui/MessageBox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QWidget>

#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::Icon IconFor(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowRealBox(const MessageBoxRequest& request)
{
    QWidget* owner = request.owner != nullptr && request.owner->m_hWnd != nullptr
                         ? request.owner->m_hWnd->window()
                         : nullptr;
    QMessageBox box(IconFor(request.type), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return IDOK;
}

CWnd* ModalOwner()
{
    if (CDialog* running = AfxGetRunningModal()) {
        return running;
    }
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main->m_hWnd != nullptr ? main : nullptr;
}

}  // namespace

MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

int AfxShowMessageBox(CWnd* pOwner, const char* lpszText, const char* lpszCaption, UINT nType)
{
    const MessageBoxRequest request{lpszText != nullptr ? lpszText : "",
                                    lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType,
                                    pOwner};
    // A copy, so a handler that installs another one while it runs is safe.
    const MessageBoxHandler handler = Handler();
    return handler ? handler(request) : ShowRealBox(request);
}

int AfxMessageBox(const char* lpszText, UINT nType)
{
    return AfxShowMessageBox(ModalOwner(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType)
{
    std::string prompt;
    LoadString(nIDPrompt, prompt);
    return AfxMessageBox(prompt.c_str(), nType);
}
