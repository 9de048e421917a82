// Push buttons, edit boxes and combo boxes.
#include "platform/ui/ControlWidgets.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "platform/ui/Wnd.h"

namespace {

int IdOf(const DialogItemTemplate& item)
{
    return item.id;
}

}  // namespace

PushButtonControl::PushButtonControl(QWidget* parent, const DialogItemTemplate& item)
    : QPushButton(parent), WindowLink(this, IdOf(item), item.style)
{
    setText(QString::fromUtf8(item.text != nullptr ? item.text : ""));
    // Enter is the dialog's business (DialogWindow), not the button's.
    setAutoDefault(false);
    setDefault((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    connect(this, &QPushButton::clicked, this, [this] {
        if (CWnd* dialog = CWnd::FromHandle(parentWidget())) {
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(ControlId()), WORD(BN_CLICKED)),
                                reinterpret_cast<LPARAM>(static_cast<QWidget*>(this)));
        }
    });
}

EditControl::EditControl(QWidget* parent, const DialogItemTemplate& item)
    : QLineEdit(parent), WindowLink(this, IdOf(item), item.style)
{
    setFrame((item.style & WS_BORDER) != 0);
    setText(QString::fromUtf8(item.text != nullptr ? item.text : ""));
}

bool EditControl::Accepts(const QString& typed) const
{
    if ((Style() & ES_NUMBER) == 0) {
        return true;
    }
    for (const QChar c : typed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

void EditControl::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    if (!command && !typed.isEmpty() && typed.at(0).isPrint() && !Accepts(typed)) {
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditControl::inputMethodEvent(QInputMethodEvent* event)
{
    if (!Accepts(event->commitString())) {
        QApplication::beep();
        // Keep the composition going, drop only the refused text.
        QInputMethodEvent kept(event->preeditString(), event->attributes());
        kept.setCommitString(QString(), event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&kept);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

ComboBoxControl::ComboBoxControl(QWidget* parent, const DialogItemTemplate& item)
    : QComboBox(parent), WindowLink(this, IdOf(item), item.style)
{
    const DWORD kind = item.style & CBS_TYPEMASK;
    setEditable(kind == CBS_DROPDOWN);
    if (isEditable()) {
        // Typed text neither adds entries nor picks one: only the list's
        // selection counts.
        setInsertPolicy(QComboBox::NoInsert);
        setDuplicatesEnabled(true);
        setCompleter(nullptr);
        // Qt would select the entry whose text matches the field's when
        // editing finishes.
        disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    }
}

void ComboBoxControl::SetText(const QString& value)
{
    if (isEditable()) {
        setEditText(value);
    }
}
