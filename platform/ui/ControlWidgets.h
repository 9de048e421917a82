#pragma once
// The widgets that realise the controls of a dialog template. Internal to
// the framework.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/WindowLink.h"

// STATIC: text, an icon, a bitmap or a black frame. Before painting it asks
// its dialog for colours (WM_CTLCOLORSTATIC). A frame lies outside the
// client area. A window DC draws into a retained picture of the client
// area, painted over the control's own content.
class StaticControl : public QWidget, public WindowLink {
public:
    StaticControl(QWidget* parent, const DialogItemTemplate& item);

    QString Text() const override { return m_text; }
    void SetText(const QString& text) override;
    QRect ClientArea() const override;
    bool OffersRetainedPicture() const override { return true; }
    QImage* RetainedPicture() override;
    void PictureChanged(const QRect& clientRect) override;

    // The picture of an SS_ICON or SS_BITMAP static; the control takes its size.
    void SetImage(const QImage& image, QSize drawnSize);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool HasFrame() const;
    void PaintText(QPainter& painter, COLORREF textColor, int bkMode, COLORREF bkColor);

    QString m_text;
    QImage m_image;
    QImage m_picture;
};

// BUTTON: a push button; a click is BN_CLICKED to the dialog.
class PushButtonControl : public QPushButton, public WindowLink {
public:
    PushButtonControl(QWidget* parent, const DialogItemTemplate& item);

    QString Text() const override { return text(); }
    void SetText(const QString& value) override { setText(value); }
};

// EDIT: one line. With ES_NUMBER only digits can be typed; pasting can
// still bring in other text.
class EditControl : public QLineEdit, public WindowLink {
public:
    EditControl(QWidget* parent, const DialogItemTemplate& item);

    QString Text() const override { return text(); }
    void SetText(const QString& value) override { setText(value); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Text composed with an input method is typed text too.
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // True when the box takes `typed`: anything, unless it is digits-only.
    bool Accepts(const QString& typed) const;
};

// COMBOBOX: a drop-down list, with an editable field for CBS_DROPDOWN. The
// field's text never changes the list's selection.
class ComboBoxControl : public QComboBox, public WindowLink {
public:
    ComboBoxControl(QWidget* parent, const DialogItemTemplate& item);

    QString Text() const override { return currentText(); }
    void SetText(const QString& value) override;
};
