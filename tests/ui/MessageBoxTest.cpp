// Message boxes: what the handler sees, and the real box when none is set.
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "TestDialogs.h"
#include "UiTestSupport.h"
#include "platform/ui/WinApp.h"

using namespace uitest;

TEST(MessageBoxTest, HandlerSeesTextCaptionTypeAndOwner)
{
    TestDialog dlg;
    MessageBoxRecorder boxes;
    RunModal(dlg, [&] {
        EXPECT_EQ(dlg.MessageBox("正在录像中,请先停止录像!", "退出软件", MB_OK | MB_ICONINFORMATION), IDOK);
        dlg.MessageBox("no caption");
        AfxMessageBox("from the framework", MB_OK | MB_ICONEXCLAMATION);
        dlg.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[0].text, "正在录像中,请先停止录像!");
    EXPECT_EQ(boxes.boxes[0].caption, "退出软件");
    EXPECT_EQ(boxes.boxes[0].type, 0x40u);
    EXPECT_EQ(boxes.boxes[0].owner, &dlg);
    // Without a caption, and for the framework's own boxes, the app's name.
    EXPECT_EQ(boxes.boxes[1].caption, "ui_tests");
    EXPECT_EQ(boxes.boxes[2].caption, "ui_tests");
    EXPECT_EQ(boxes.boxes[2].type, 0x30u);
    EXPECT_EQ(boxes.boxes[2].owner, &dlg);
}

TEST(MessageBoxTest, RealBoxHasOneOkButtonAndTheIconOfItsType)
{
    struct Case {
        UINT type;
        QMessageBox::Icon icon;
    };
    for (const Case c : {Case{MB_OK | MB_ICONEXCLAMATION, QMessageBox::Warning},
                         Case{MB_OK | MB_ICONINFORMATION, QMessageBox::Information}}) {
        TestDialog dlg;
        RunModal(dlg, [&] {
            WhenReady([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
                      [&] {
                          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                          EXPECT_EQ(box->icon(), c.icon);
                          EXPECT_EQ(box->text().toStdString(), "打开摄像机失败!");
                          EXPECT_EQ(box->windowTitle().toStdString(), "打开摄像机");
                          EXPECT_EQ(box->parentWidget(), dlg.GetSafeHwnd());
                          EXPECT_TRUE(box->isModal());
                          ASSERT_EQ(box->buttons().size(), 1);
                          EXPECT_EQ(box->buttons().front()->text().toStdString(), "确定");
                          box->buttons().front()->click();
                      });
            EXPECT_EQ(dlg.MessageBox("打开摄像机失败!", "打开摄像机", c.type), IDOK);
            dlg.EndDialog(IDCANCEL);
        });
    }
}

TEST(MessageBoxTest, HandlersNestAndComeBack)
{
    MessageBoxRecorder outer;
    {
        MessageBoxRecorder inner;
        AfxMessageBox("inner");
        EXPECT_EQ(inner.boxes.size(), 1u);
    }
    AfxMessageBox("outer");
    ASSERT_EQ(outer.boxes.size(), 1u);
    EXPECT_EQ(outer.boxes[0].text, "outer");
    EXPECT_EQ(outer.boxes[0].owner, nullptr);  // no window to own it
}
