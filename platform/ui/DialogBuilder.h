#pragma once
// Builds a dialog's window from its template: the top-level widget with the
// template's font, caption, size and styles, and every control at its place
// in tab order. Everything starts hidden. Internal to the framework.

#include "platform/ui/DialogTemplate.h"

class CWnd;
class DialogWindow;
class QWidget;

// The window reports to pDialog; owner (may be null) is the window it is
// owned by.
DialogWindow* BuildDialogWindow(const DialogTemplate& dialogTemplate, CWnd* pDialog, QWidget* owner);

// Puts a built window on the screen: centred over the owner (or the screen)
// for a template position of 0, 0 or DS_CENTER, else at the template
// position relative to the owner's client area (or the screen). Called
// again once the window is shown, when its frame is known.
void PlaceDialogWindow(DialogWindow* window, const DialogTemplate& dialogTemplate, QWidget* owner);
