// Opening and closing the camera: the boxes, the states the window moves
// between, the timer, and the minutes the video source dialog hands back.
#include "RecorderFixture.h"

using namespace uitest;

TEST_F(RecorderTest, WithoutACameraOpenCameraOnlyWarns)
{
    List({});
    MessageBoxRecorder boxes;
    Run([&] {
        Click(IDC_OPEN_CAMERA);
        EXPECT_EQ(AfxGetRunningModal(), dlg_.get()) << "no video source dialog";
        EXPECT_EQ(Buttons(), kNoCamera);
        EXPECT_FALSE(TimerRunning());
    });
    EXPECT_EQ(Boxes(boxes), (std::vector<Box>{{"当前电脑没有连接摄像机!", "打开摄像机", 0x30, dlg_.get()}}));
}

TEST_F(RecorderTest, AnOpenThatDoesNotHappenChangesNothing)
{
    struct Case {
        const char* name;
        bool listUnopenable;  // the chosen device cannot be opened
        bool accept;          // OK in the video source dialog, else Escape
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"dialog cancelled", false, false, {}},
        {"device does not open", true, true, {"打开摄像机失败!"}},
    };
    for (const Case& c : cases) {
        if (c.listUnopenable) {
            List({fake::Unopenable("坏相机")});
        }
        dlg_ = std::make_unique<TestableMorvaneDlg>();
        MessageBoxRecorder boxes;
        std::string offeredAgain;
        Run([&] {
            OpenCamera("7", c.accept);
            EXPECT_EQ(Buttons(), kNoCamera) << c.name;
            EXPECT_FALSE(TimerRunning()) << c.name;
            EXPECT_EQ(dlg_->m_nMinutes, 1) << c.name;
            offeredAgain = OpenCamera("1", false);
        });
        EXPECT_EQ(offeredAgain, "1") << c.name << ": the previous minutes are offered again";
        std::vector<Box> expected;
        for (const std::string& text : c.texts) {
            expected.push_back({text, "打开摄像机", 0x40, dlg_.get()});
        }
        EXPECT_EQ(Boxes(boxes), expected) << c.name;
    }
}

TEST_F(RecorderTest, OpeningStartsTheTimerAndTakesTheMinutes)
{
    MessageBoxRecorder boxes;
    std::string offeredNext;
    Run([&] {
        OpenCamera("5");
        EXPECT_EQ(Buttons(), kCameraOpen);
        EXPECT_TRUE(HasFocus(IDC_START_RECORDING)) << "not on a neighbour of the disabled 打开相机";
        EXPECT_EQ(dlg_->m_nMinutes, 5);
        EXPECT_EQ(dlg_->m_nFrameRate, 25);
        EXPECT_FALSE(dlg_->m_bRecording);
        EXPECT_TRUE(TimerRunning());

        // Frames flow through the window's own timer.
        camera_->Push(PatternFrame(41));
        EXPECT_TRUE(SpinUntil([&] { return PreviewFrameNumber() == 41; }));
        EXPECT_GT(dlg_->m_nTimerMessages, 0);

        Click(IDC_CLOSE_CAMERA);
        offeredNext = OpenCamera("5", false);
    });
    EXPECT_EQ(offeredNext, "5");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RecorderTest, ClosingStopsTheTimerReleasesTheDeviceAndBlanksThePreview)
{
    Run([&] {
        for (uint32_t round = 0; round < 2; ++round) {
            OpenCamera();
            camera_->Push(PatternFrame(round));
            ASSERT_TRUE(SpinUntil([&] { return PreviewFrameNumber() == round; })) << round;

            Click(IDC_CLOSE_CAMERA);
            EXPECT_EQ(Buttons(), kNoCamera) << round;
            EXPECT_TRUE(HasFocus(IDC_OPEN_CAMERA)) << round;
            EXPECT_FALSE(TimerRunning()) << round;
            EXPECT_FALSE(dlg_->m_pSource->m_bDeviceOpen) << round;
            EXPECT_FALSE(camera_->streaming) << round;
            EXPECT_TRUE(AllBlack(dlg_->m_preview.GetSafeHwnd()->grab().toImage())) << round;
        }
    });
}

TEST_F(RecorderTest, ClosingTheCameraWhileRecordingIsRefusedAndTheRecordingGoesOn)
{
    MessageBoxRecorder boxes;
    Run([&] {
        OpenCamera("0");
        Click(IDC_START_RECORDING);
        ASSERT_TRUE(dlg_->m_bRecording);
        Click(IDC_CLOSE_CAMERA);
        EXPECT_TRUE(dlg_->m_bRecording);
        EXPECT_EQ(Buttons(), kRecording);
        EXPECT_TRUE(TimerRunning());
        const int written = dlg_->m_nFramesWritten;
        camera_->Push(PatternFrame(1));
        EXPECT_TRUE(SpinUntil([&] { return dlg_->m_nFramesWritten > written; }));
    });
    EXPECT_EQ(Boxes(boxes), (std::vector<Box>{{"正在录像中,请先停止录像!", "关闭摄像机", 0x40, dlg_.get()}}));
}

TEST_F(RecorderTest, ARecordingThatReachesItsLimitBehindTheRefusalBoxLeavesTheCameraOpen)
{
    // While the box is up the timer goes on; here the recording's last frame
    // arrives then.
    MessageBoxRecorder boxes([&](const MessageBoxRequest&) {
        dlg_->m_nFrameLimit = dlg_->m_nFramesWritten + 1;
        camera_->Push(PatternFrame(7));
        SpinUntil([&] { return !dlg_->m_bRecording; });
    });
    Run([&] {
        OpenCamera("1");
        Click(IDC_START_RECORDING);
        SendKey(KeyTarget(dlg_->GetSafeHwnd()), Qt::Key_Escape);
        EXPECT_EQ(AfxGetRunningModal(), dlg_.get()) << "the window stays open";
        EXPECT_FALSE(dlg_->m_bRecording);
        EXPECT_EQ(Buttons(), kCameraOpen);
        EXPECT_TRUE(TimerRunning());
    });
    EXPECT_EQ(Boxes(boxes), (std::vector<Box>{{"正在录像中,请先停止录像!", "退出软件", 0x40, dlg_.get()}}));
    EXPECT_EQ(RecordingFiles().size(), 1u);
}

TEST_F(RecorderTest, ClosingTheWindowWithTheCameraOpenReleasesTheCamera)
{
    const INT_PTR result = uitest::RunModal(*dlg_, [&] {
        OpenCamera();
        SendKey(KeyTarget(dlg_->GetSafeHwnd()), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg_->m_pSource, nullptr);
    EXPECT_EQ(camera_->devicesAlive, 0);
}
