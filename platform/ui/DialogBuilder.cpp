#include "platform/ui/DialogBuilder.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "platform/ui/ControlWidgets.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/DialogWindow.h"
#include "platform/ui/GdiHandles.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Resources.h"

namespace {

Qt::WindowFlags FlagsFor(const DialogTemplate& t, bool owned)
{
    // An owned window without WS_EX_APPWINDOW has no taskbar entry of its own.
    Qt::WindowFlags flags = owned && (t.exStyle & WS_EX_APPWINDOW) == 0 ? Qt::Dialog : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((t.style & WS_SYSMENU) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((t.style & WS_MINIMIZEBOX) != 0) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if ((t.style & WS_MAXIMIZEBOX) != 0) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    return flags;
}

QRect ToPixels(short x, short y, short cx, short cy, CSize base)
{
    return QRect(MulDiv(x, base.cx, 4), MulDiv(y, base.cy, 8), MulDiv(cx, base.cx, 4),
                 MulDiv(cy, base.cy, 8));
}

QWidget* AddStatic(DialogWindow* window, const DialogItemTemplate& item, const QRect& place)
{
    auto* control = new StaticControl(window, item);
    control->setGeometry(place);
    control->setFocusPolicy(Qt::NoFocus);
    control->SetWrapper(std::make_unique<CStatic>());
    const DWORD kind = item.style & SS_TYPEMASK;
    // A picture static takes the size its picture is drawn at; a missing
    // picture leaves it empty.
    if (kind == SS_ICON) {
        if (HICON icon = LoadIcon(item.imageId)) {
            control->SetImage(icon->image,
                              QSize(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
        }
    } else if (kind == SS_BITMAP) {
        CBitmap bitmap;
        if (bitmap.LoadBitmap(item.imageId)) {
            const QImage& image = bitmap.m_hObject->image;
            control->SetImage(image, image.size());
        }
    }
    return control;
}

QWidget* AddButton(DialogWindow* window, const DialogItemTemplate& item, const QRect& place)
{
    auto* control = new PushButtonControl(window, item);
    control->setGeometry(place);
    control->SetWrapper(std::make_unique<CButton>());
    return control;
}

QWidget* AddEdit(DialogWindow* window, const DialogItemTemplate& item, const QRect& place)
{
    auto* control = new EditControl(window, item);
    control->setGeometry(place);
    control->SetWrapper(std::make_unique<CEdit>());
    return control;
}

QWidget* AddComboBox(DialogWindow* window, const DialogItemTemplate& item, const QRect& place)
{
    auto* control = new ComboBoxControl(window, item);
    // The template's height is the height with the list dropped down; the
    // closed box is as high as its font needs.
    const int closedHeight = control->sizeHint().height();
    control->setGeometry(place.x(), place.y(), place.width(), closedHeight);
    const int rowHeight = std::max(1, control->fontMetrics().height());
    control->setMaxVisibleItems(std::max(1, (place.height() - closedHeight) / rowHeight));
    control->SetWrapper(std::make_unique<CComboBox>());
    return control;
}

}  // namespace

DialogWindow* BuildDialogWindow(const DialogTemplate& t, CWnd* pDialog, QWidget* owner)
{
    const QFont font = DialogFont(t.pointSize);
    const CSize base = GetFontBaseUnits(font);
    auto* window = new DialogWindow(owner, FlagsFor(t, owner != nullptr), t.style, base);
    window->setFont(font);
    window->setWindowTitle(QString::fromUtf8(t.caption != nullptr ? t.caption : ""));
    window->setWindowModality(Qt::ApplicationModal);
    const QSize size(MulDiv(t.cx, base.cx, 4), MulDiv(t.cy, base.cy, 8));
    if ((t.style & WS_THICKFRAME) != 0) {
        window->resize(size);
    } else {
        window->setFixedSize(size);
    }

    for (const DialogItemTemplate& item : t.items) {
        const QRect place = ToPixels(item.x, item.y, item.cx, item.cy, base);
        QWidget* control = nullptr;
        switch (item.controlClass) {
        case ControlClass::Static:
            control = AddStatic(window, item, place);
            break;
        case ControlClass::Button:
            control = AddButton(window, item, place);
            break;
        case ControlClass::Edit:
            control = AddEdit(window, item, place);
            break;
        case ControlClass::ComboBox:
            control = AddComboBox(window, item, place);
            break;
        }
        if (item.controlClass != ControlClass::Static) {
            control->setFocusPolicy((item.style & WS_TABSTOP) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
        }
        // Also the parts of a control (the edit field of a combo box), which
        // may hold the focus themselves.
        control->installEventFilter(window);
        for (QWidget* part : control->findChildren<QWidget*>()) {
            part->installEventFilter(window);
        }
        control->setEnabled((item.style & WS_DISABLED) == 0);
        control->setVisible((item.style & WS_VISIBLE) != 0);
    }
    window->Bind(pDialog);
    return window;
}

void PlaceDialogWindow(DialogWindow* window, const DialogTemplate& t, QWidget* owner)
{
    const CSize base = window->BaseUnits();
    if ((t.x == 0 && t.y == 0) || (t.style & DS_CENTER) != 0) {
        QRect area;
        if (owner != nullptr) {
            area = owner->window()->frameGeometry();
        } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
            area = screen->availableGeometry();
        }
        // The whole window, frame and all, once the frame is known.
        const QSize frame = window->frameGeometry().size().expandedTo(window->size());
        if (area.isValid()) {
            window->move(area.x() + (area.width() - frame.width()) / 2,
                         area.y() + (area.height() - frame.height()) / 2);
        }
        return;
    }
    const QPoint offset(MulDiv(t.x, base.cx, 4), MulDiv(t.y, base.cy, 8));
    window->move(owner != nullptr ? owner->window()->mapToGlobal(offset) : offset);
}
