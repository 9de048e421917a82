#pragma once
// Dialog templates as data: what a resource script says about a dialog and
// its controls. Positions and sizes are in dialog units; controls are listed
// in tab order.

#include <span>

#include "platform/ui/WinDef.h"

enum class ControlClass { Button, Static, Edit, ComboBox };

struct DialogItemTemplate {
    int id;                    // control id; -1 for statics nobody addresses
    ControlClass controlClass;
    const char* text;          // UTF-8 caption; null for none
    UINT imageId;              // picture of an SS_ICON or SS_BITMAP static; 0 otherwise
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

struct DialogTemplate {
    UINT id;
    const char* caption;       // UTF-8
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    const char* fontFace;      // as the resource names it; mapped to a local face
    int pointSize;
    std::span<const DialogItemTemplate> items;
};
