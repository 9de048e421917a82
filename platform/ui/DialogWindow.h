#pragma once
// The top-level widget of a dialog: turns Qt's window events into the
// messages a dialog gets (keys, closing, the system menu, painting).
// Internal to the framework.

#include <QWidget>
#include <memory>

#include "platform/ui/Geometry.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WindowLink.h"

class DialogWindow : public QWidget, public WindowLink {
    Q_OBJECT  // so a skin can name the dialog windows by their class

public:
    DialogWindow(QWidget* owner, Qt::WindowFlags flags, DWORD style, CSize baseUnits);
    ~DialogWindow() override;

    CSize BaseUnits() const { return m_baseUnits; }

    QString Text() const override { return windowTitle(); }
    void SetText(const QString& text) override { setWindowTitle(text); }
    CMenu* SystemMenu(bool revert) override;

    // Focus to the first enabled, visible control with WS_TABSTOP.
    void FocusFirstTabStop();
    void ShowSystemMenu(const QPoint& globalPos);

    // Watches a control's keys for the window-wide ones (Alt+Space, Alt+F4),
    // which must win over what the focused control would make of them.
    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ResetSystemMenu();
    bool HandleWindowKey(const QKeyEvent* event);
    void PressDefaultButton();

    CSize m_baseUnits;
    std::unique_ptr<CMenu> m_systemMenu;
};
