#pragma once
// Message boxes: modal, owned by a window, one "确定" button and the icon
// their type asks for. Every box, the system's and the framework's, goes
// through one handler, which tests can replace to see and answer the boxes
// without a screen.

#include <functional>
#include <string>

#include "platform/ui/WinUser.h"

class CWnd;

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    UINT type;
    CWnd* owner;  // null: no owner window
};

// Returns the button that closed the box (IDOK).
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Installs a handler; an empty one brings back the real boxes. Returns the
// handler that was installed before.
MessageBoxHandler AfxSetMessageBoxHandler(MessageBoxHandler handler);

// A box owned by the dialog now running modally (or the main window),
// captioned with the application's name.
int AfxMessageBox(const char* lpszText, UINT nType = MB_OK);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK);

// Shows one box; a null caption means the application's name.
int AfxShowMessageBox(CWnd* pOwner, const char* lpszText, const char* lpszCaption, UINT nType);
