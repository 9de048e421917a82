// Recordings: starting and stopping them, the recording step of each tick,
// and the path a recording's file goes to.
#include <cstdio>
#include <ctime>

#include "platform/os/FileSystem.h"
#include "platform/os/LocalTime.h"
#include "recorder/MorvaneDlg.h"
#include "res/resource.h"

namespace {

// What the indicator blinks on: the first ticks of every second.
constexpr int kIndicatorTicks = 8;

}  // namespace

void CMorvaneDlg::OnStartRecording()
{
    const std::string path = BuildRecordingPath();
    m_nFrameLimit = m_nMinutes * m_nFrameRate * 60;
    m_nFramesWritten = 0;

    auto recording = std::make_unique<CRecordingFile>();
    recording->m_strPath = path;
    recording->m_nWidth = kFrameWidth;
    recording->m_nHeight = kFrameHeight;
    recording->m_nFrameRate = m_nFrameRate;
    recording->m_pHeader = CreateImageHeader(cv::Size(kFrameWidth, kFrameHeight), CV_8UC3);
    recording->m_pWriter = CreateVideoWriter(*recording);
    // A recording that would store nothing is not started: the operator
    // would otherwise watch a blinking indicator over a missing file.
    if (!recording->m_pWriter) {
        MessageBox("创建录像文件失败!", "开始录像", MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_pRecording = std::move(recording);
    m_bRecording = true;
    SetRecordingButtons(true);
    FocusButton(IDC_STOP_RECORDING);
}

void CMorvaneDlg::OnStopRecording()
{
    m_bRecording = false;
    // Releasing the writer completes the file; the pixels stay the camera's.
    m_pRecording.reset();
    SetRecordingButtons(false);
    FocusButton(IDC_START_RECORDING);
}

void CMorvaneDlg::RecordFrame()
{
    const cv::Mat frame = m_pDisplayFrame->Image();
    m_pRecording->m_pHeader->SetData(frame.data, frame.step);
    m_pRecording->m_pWriter->write(m_pRecording->m_pHeader->Image());

    // After the write, so the ball reaches the preview and never the file.
    if (m_nTickInSecond < kIndicatorTicks) {
        DrawIndicator();
    }

    ++m_nFramesWritten;
    if (m_nFramesWritten == m_nFrameLimit) {
        OnStopRecording();
    }
}

std::string CMorvaneDlg::BuildRecordingPath()
{
    // One reading of the clock names both the folder and the file.
    int year = 0, month = 0, day = 0, hour = -1, minute = -1, second = -1;
    std::tm now{};
    if (os::LocalTimeNow(now)) {
        year = now.tm_year + 1900;
        month = now.tm_mon + 1;
        day = now.tm_mday;
        hour = now.tm_hour;
        minute = now.tm_min;
        second = now.tm_sec;
    }

    char date[32];
    std::snprintf(date, sizeof date, "%04d_%02d_%02d", year, month, day);
    const std::string folder = m_strAppDir + "/AVI/" + date;
    if (!os::IsDirectory(folder)) {
        CreateNestedFolder(folder);
    }

    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute, second);
    // A second recording within the same second gets a name of its own
    // instead of replacing the first.
    std::string path = folder + "/" + stamp + ".avi";
    for (int n = 2; os::PathExists(path); ++n) {
        path = folder + "/" + stamp + "_" + std::to_string(n) + ".avi";
    }
    return path;
}
