#pragma once
// The widgets of a running video source dialog, and the operator's ways of
// pressing OK and typing.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/VideoSourceDlg.h"
#include "res/resource.h"
#include "ui/UiTestSupport.h"

namespace dlgtest {

// The caption of the framework's own boxes: the test program's name.
inline constexpr const char* kAppName = "dialog_tests";

inline QComboBox* Combo(CVideoSourceDlg& dlg)
{
    return qobject_cast<QComboBox*>(dlg.GetDlgItem(IDC_SOURCE_COMBO)->GetSafeHwnd());
}

inline QLineEdit* MinutesBox(CVideoSourceDlg& dlg)
{
    return qobject_cast<QLineEdit*>(dlg.GetDlgItem(IDC_MINUTES_EDIT)->GetSafeHwnd());
}

inline QAbstractButton* Button(CVideoSourceDlg& dlg, int id)
{
    return qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id)->GetSafeHwnd());
}

inline std::vector<std::string> Entries(QComboBox* combo)
{
    std::vector<std::string> texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts.push_back(combo->itemText(i).toStdString());
    }
    return texts;
}

// Types text key by key, as the operator would.
inline void Type(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        uitest::SendKey(target, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    }
}

// Meant to follow an OK that should have ended the dialog: an ended dialog
// drops the command, one still open ends with IDCANCEL, so a failing case
// fails at once instead of waiting for the watchdog.
inline void CancelIfStillOpen(CDialog& dlg)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(IDCANCEL), WORD(BN_CLICKED)), 0);
}

// The ways of pressing OK.
struct OkWay {
    const char* name;
    std::function<void(CVideoSourceDlg&)> press;
};

inline const OkWay kOkWays[] = {
    {"click", [](CVideoSourceDlg& dlg) { Button(dlg, IDOK)->click(); }},
    {"Enter on OK", [](CVideoSourceDlg& dlg) {
         Button(dlg, IDOK)->setFocus();
         uitest::SendKey(Button(dlg, IDOK), Qt::Key_Return);
     }},
    {"Enter in the minutes box", [](CVideoSourceDlg& dlg) {
         MinutesBox(dlg)->setFocus();
         uitest::SendKey(MinutesBox(dlg), Qt::Key_Return);
     }},
    {"Enter in the combo box's field", [](CVideoSourceDlg& dlg) {
         QLineEdit* field = Combo(dlg)->lineEdit();
         field->setFocus();
         uitest::SendKey(field, Qt::Key_Return);
     }},
};

}  // namespace dlgtest
