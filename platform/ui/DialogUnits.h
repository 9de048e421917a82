#pragma once
// Dialog units: template coordinates scale with the dialog's font. A
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.

#include <QFont>

#include "platform/ui/Geometry.h"

// The dialog font at a point size. "MS Shell Dlg" has no Linux counterpart;
// a CJK sans-serif face stands in, sized as a 96-dpi display would size it.
QFont DialogFont(int pointSize);

// Base units of a font: cx is the average width of the 52 Latin letters
// (rounded), cy the font's height.
CSize GetFontBaseUnits(const QFont& font);

// Converts a rectangle in dialog units to pixels, each coordinate on its own.
RECT MapDialogUnits(const RECT& dlu, const CSize& baseUnits);
