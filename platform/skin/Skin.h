#pragma once
// The look-and-feel call made once at start-up, before the recorder window
// exists. The skin file is a Qt style sheet.

// Looks for `skinFile` (a bare file name) first in the working folder, then
// in the program's folder, and applies the first one that can be read and is
// not empty to the running QApplication. `reserved` is unused (callers pass
// 0). Returns 1 when a skin was applied, 0 when nothing changed: no file, an
// unreadable or empty one, or no QApplication.
int LoadSkin(const char* skinFile, int reserved);
