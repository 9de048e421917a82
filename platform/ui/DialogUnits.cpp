#include "platform/ui/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

QFont DialogFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Droid Sans Fallback"), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(MulDiv(pointSize, 96, 72));
    return font;
}

CSize GetFontBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return CSize((width / 26 + 1) / 2, metrics.height());
}

RECT MapDialogUnits(const RECT& dlu, const CSize& baseUnits)
{
    return RECT{MulDiv(dlu.left, baseUnits.cx, 4), MulDiv(dlu.top, baseUnits.cy, 8),
                MulDiv(dlu.right, baseUnits.cx, 4), MulDiv(dlu.bottom, baseUnits.cy, 8)};
}
