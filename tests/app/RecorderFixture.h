#pragma once
// The recorder window over a fake camera, a program folder of the test's own
// and a clock the test sets. Tests either let the window's timer run or stop
// it and run the pump tick by tick, each tick with a test-pattern frame
// whose number the recording keeps.

#include <QAbstractButton>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <opencv2/core.hpp>

#include "RecorderTestSupport.h"
#include "media/FakeCaptureDevice.h"
#include "os/TempDir.h"
#include "platform/media/FrameCode.h"
#include "platform/media/virtual/TestPattern.h"
#include "platform/os/LocalTime.h"
#include "platform/os/ProgramPath.h"
#include "res/resource.h"
#include "ui/UiTestSupport.h"

// A test-pattern picture carrying frame number `n`, as a BGR3 device sends it.
inline std::vector<uint8_t> PatternFrame(uint32_t n)
{
    cv::Mat picture(480, 640, CV_8UC3);
    media::DrawTestPattern(picture, n);
    return std::vector<uint8_t>(picture.data, picture.data + picture.total() * 3);
}

inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

// A message box as the operator sees it.
struct Box {
    std::string text;
    std::string caption;
    UINT type = 0;
    const CWnd* owner = nullptr;
    bool operator==(const Box&) const = default;
};

inline void PrintTo(const Box& box, std::ostream* os)
{
    *os << "{\"" << box.text << "\", \"" << box.caption << "\", 0x" << std::hex << box.type << std::dec
        << ", owner " << box.owner << "}";
}

// The boxes a recorder has seen, in order.
inline std::vector<Box> Boxes(const uitest::MessageBoxRecorder& recorder)
{
    std::vector<Box> boxes;
    for (const MessageBoxRequest& r : recorder.boxes) {
        boxes.push_back({r.text, r.caption, r.type, r.owner});
    }
    return boxes;
}

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.ok());
        os::SetProgramFilePathForTesting(folder_ / "morvane");
        SetClock(LocalTime(2026, 12, 11, 9, 30, 15));
        camera_ = fake::NewDevice(media::kPixBGR24, 640, 480);
        List({fake::Entry("测试相机", camera_)});
        dlg_ = std::make_unique<TestableMorvaneDlg>();
    }

    void TearDown() override
    {
        dlg_.reset();
        devices_.reset();
        os::ClearProgramFilePathForTesting();
        os::ClearClockForTesting();
    }

    void List(std::vector<media::DeviceEntry> devices)
    {
        devices_.reset();
        devices_.emplace(std::move(devices));
    }

    void SetClock(std::tm now)
    {
        os::SetClockForTesting([now](std::tm& out) {
            out = now;
            return true;
        });
    }

    // Runs the window while `step` acts on it; whatever the step leaves
    // running is stopped and the window ended.
    void Run(const std::function<void()>& step)
    {
        uitest::RunModal(*dlg_, [&] {
            step();
            if (dlg_->m_bRecording) {
                dlg_->OnStopRecording();
            }
            if (AfxGetRunningModal() == dlg_.get()) {
                dlg_->EndDialog(IDCANCEL);
            }
        });
    }

    // Clicks a button of the window as the operator would; a disabled
    // button ignores it.
    void Click(int id)
    {
        qobject_cast<QAbstractButton*>(dlg_->GetDlgItem(id)->GetSafeHwnd())->click();
    }

    // "打开相机", answered in the video source dialog with `minutes` and OK
    // (or, with accept false, Escape). Returns the minutes text the dialog
    // offered.
    std::string OpenCamera(const char* minutes = "1", bool accept = true)
    {
        std::string offered;
        uitest::WhenReady([this] { return AfxGetRunningModal() != dlg_.get(); },
                          [&] {
                              CDialog* source = AfxGetRunningModal();
                              auto* edit = qobject_cast<QLineEdit*>(
                                  source->GetDlgItem(IDC_MINUTES_EDIT)->GetSafeHwnd());
                              offered = edit->text().toStdString();
                              edit->setText(QString::fromUtf8(minutes));
                              if (accept) {
                                  qobject_cast<QAbstractButton*>(source->GetDlgItem(IDOK)->GetSafeHwnd())->click();
                              } else {
                                  uitest::SendKey(source->GetSafeHwnd(), Qt::Key_Escape);
                              }
                          });
        Click(IDC_OPEN_CAMERA);
        return offered;
    }

    // Opens the camera and stops the window's timer, so that the test runs
    // the pump itself, one tick per call.
    void OpenCameraForTicks(const char* minutes = "1")
    {
        OpenCamera(minutes);
        ASSERT_TRUE(dlg_->m_bRecording == false && dlg_->KillTimer(0)) << "the camera did not open";
    }

    // One tick of the pump with frame `n` from the camera.
    void Tick(uint32_t n)
    {
        camera_->Push(PatternFrame(n));
        dlg_->OnTimer(0);
    }

    // Whether timer 0 runs, asked without stopping it.
    bool TimerRunning()
    {
        if (dlg_->KillTimer(0) == FALSE) {
            return false;
        }
        dlg_->SetTimer(0, 40, nullptr);
        return true;
    }

    std::vector<bool> Buttons() const
    {
        std::vector<bool> states;
        for (const int id : {IDC_OPEN_CAMERA, IDC_CLOSE_CAMERA, IDC_START_RECORDING, IDC_STOP_RECORDING}) {
            states.push_back(dlg_->GetDlgItem(id)->IsWindowEnabled() != FALSE);
        }
        return states;
    }

    bool HasFocus(int id) const
    {
        return dlg_->GetSafeHwnd()->focusWidget() == dlg_->GetDlgItem(id)->GetSafeHwnd();
    }

    // The frame number shown in the preview now; -1 when none can be read.
    long long PreviewFrameNumber() const
    {
        const QImage shot = dlg_->m_preview.GetSafeHwnd()->grab().toImage().convertToFormat(QImage::Format_BGR888);
        const cv::Mat view(shot.height(), shot.width(), CV_8UC3, const_cast<uchar*>(shot.constBits()),
                           std::size_t(shot.bytesPerLine()));
        return media::ReadFrameCode(view.clone());
    }

    // Every recording file under the program folder, sorted.
    std::vector<std::string> RecordingFiles() const
    {
        std::vector<std::string> files;
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(folder_ / "AVI", ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_regular_file()) {
                files.push_back(it->path().string());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    TempDir folder_;
    std::shared_ptr<fake::DeviceState> camera_;
    std::optional<fake::ScopedDevices> devices_;
    std::unique_ptr<TestableMorvaneDlg> dlg_;
};

// The states of the window's four buttons: 打开相机, 关闭相机, 开始录像, 停止录像.
inline const std::vector<bool> kNoCamera{true, false, false, false};
inline const std::vector<bool> kCameraOpen{false, true, true, false};
inline const std::vector<bool> kRecording{false, true, false, true};
