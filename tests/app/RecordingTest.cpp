// Recordings: their length in frames, the buttons, the indicator, and the
// file they leave behind.
#include <opencv2/videoio.hpp>

#include "RecorderFixture.h"

using namespace uitest;

namespace {

// Red pixels where the indicator goes: columns 598-629, rows 5-36.
int IndicatorPixels(const cv::Mat& frame)
{
    int red = 0;
    for (int y = 5; y <= 36; ++y) {
        for (int x = 598; x <= 629; ++x) {
            const cv::Vec3b p = frame.at<cv::Vec3b>(y, x);
            red += p[2] > 160 && p[1] < 100 && p[0] < 100;
        }
    }
    return red;
}

struct Recording {
    int frames = 0;
    std::vector<long long> numbers;
    int framesWithIndicator = 0;
};

// The recording as OpenCV's reader decodes it.
Recording ReadBack(const std::string& path)
{
    Recording result;
    cv::VideoCapture reader(path, cv::CAP_FFMPEG);
    cv::Mat frame;
    while (reader.read(frame)) {
        ++result.frames;
        result.numbers.push_back(media::ReadFrameCode(frame));
        result.framesWithIndicator += IndicatorPixels(frame) > 20;
    }
    return result;
}

std::vector<long long> Numbers(long long first, long long last)
{
    std::vector<long long> numbers;
    for (long long n = first; n <= last; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

}  // namespace

TEST_F(RecorderTest, TheLengthInMinutesGivesTheFrameLimit)
{
    struct Case {
        const char* minutes;
        int limit;
    };
    Run([&] {
        for (const Case c : {Case{"0", 0}, Case{"1", 1500}, Case{"100", 150000}}) {
            OpenCamera(c.minutes);
            Click(IDC_START_RECORDING);
            EXPECT_TRUE(dlg_->m_bRecording) << c.minutes;
            EXPECT_EQ(dlg_->m_nFrameLimit, c.limit) << c.minutes;
            EXPECT_EQ(dlg_->m_nFramesWritten, 0) << c.minutes;
            Click(IDC_STOP_RECORDING);
            Click(IDC_CLOSE_CAMERA);
        }
    });
}

TEST_F(RecorderTest, StartAndStopWriteOnlyTheRecordingButtons)
{
    MessageBoxRecorder boxes;
    Run([&] {
        OpenCamera();
        Click(IDC_START_RECORDING);
        EXPECT_EQ(Buttons(), kRecording);
        EXPECT_NE(dlg_->m_pRecording, nullptr);
        EXPECT_TRUE(HasFocus(IDC_STOP_RECORDING));
        Click(IDC_STOP_RECORDING);
        EXPECT_EQ(Buttons(), kCameraOpen);
        EXPECT_EQ(dlg_->m_pRecording, nullptr);
        EXPECT_FALSE(dlg_->m_bRecording);
        EXPECT_TRUE(HasFocus(IDC_START_RECORDING));
        EXPECT_TRUE(TimerRunning());

        // Not reachable by the buttons: a stop without a recording.
        dlg_->OnStopRecording();
        EXPECT_EQ(Buttons(), kCameraOpen);
    });
    EXPECT_TRUE(boxes.boxes.empty()) << "starting and stopping say nothing";
}

TEST_F(RecorderTest, AOneMinuteRecordingStopsItselfAfterExactly1500Frames)
{
    Run([&] {
        OpenCameraForTicks("1");
        Click(IDC_START_RECORDING);
        for (uint32_t n = 0; n < 1499; ++n) {
            Tick(n);
        }
        ASSERT_TRUE(dlg_->m_bRecording);
        ASSERT_EQ(dlg_->m_nTickInSecond, 24);

        Tick(1499);
        EXPECT_FALSE(dlg_->m_bRecording);
        EXPECT_EQ(dlg_->m_pRecording, nullptr);
        EXPECT_EQ(dlg_->m_nFramesWritten, 1500);
        EXPECT_EQ(Buttons(), kCameraOpen);
        EXPECT_EQ(PreviewFrameNumber(), 1499) << "the last frame is still shown";
        EXPECT_EQ(dlg_->m_nTickInSecond, 0) << "and the counter still advances";

        Tick(1500);  // goes to the preview only
        EXPECT_EQ(dlg_->m_nFramesWritten, 1500);
    });
    const std::vector<std::string> files = RecordingFiles();
    ASSERT_EQ(files.size(), 1u);
    const Recording recording = ReadBack(files[0]);
    EXPECT_EQ(recording.frames, 1500);
    EXPECT_EQ(recording.numbers, Numbers(0, 1499));
}

TEST_F(RecorderTest, ARecordingOfZeroMinutesNeverStopsByItself)
{
    Run([&] {
        OpenCameraForTicks("0");
        Click(IDC_START_RECORDING);
        for (uint32_t n = 0; n < 80; ++n) {
            Tick(n);
        }
        EXPECT_TRUE(dlg_->m_bRecording);
        EXPECT_EQ(dlg_->m_nFramesWritten, 80);
    });
}

TEST_F(RecorderTest, TheIndicatorBlinksInThePreviewAndNeverReachesTheFile)
{
    Run([&] {
        OpenCameraForTicks("0");
        // The groups of 25 count from the opening of the camera; start in
        // the hidden part of one.
        for (uint32_t n = 0; n < 20; ++n) {
            Tick(n);
        }
        Click(IDC_START_RECORDING);
        for (uint32_t n = 20; n < 70; ++n) {
            const bool lit = dlg_->m_nTickInSecond < 8;
            Tick(n);
            ASSERT_EQ(IndicatorPixels(dlg_->m_pDisplayFrame->Image()) > 20, lit) << "frame " << n;
        }
        Click(IDC_STOP_RECORDING);
        // Without a recording the ball never shows.
        for (uint32_t n = 70; n < 80; ++n) {
            Tick(n);
            ASSERT_EQ(IndicatorPixels(dlg_->m_pDisplayFrame->Image()), 0) << "frame " << n;
        }
    });
    const std::vector<std::string> files = RecordingFiles();
    ASSERT_EQ(files.size(), 1u);
    const Recording recording = ReadBack(files[0]);
    EXPECT_EQ(recording.numbers, Numbers(20, 69));
    EXPECT_EQ(recording.framesWithIndicator, 0);
}

TEST_F(RecorderTest, TheFileIsOneXvidStreamAt25FramesASecondWithEveryFrameWritten)
{
    Run([&] {
        OpenCameraForTicks("0");
        Click(IDC_START_RECORDING);
        for (uint32_t n = 100; n < 160; ++n) {
            Tick(n);
            if (n % 10 == 0) {
                dlg_->OnTimer(0);  // no new frame: nothing written twice
            }
        }
    });
    const std::vector<std::string> files = RecordingFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], folder_ / "AVI/2026_12_11/20261211093015.avi");

    // ffprobe's view of the file.
    const std::string command = "ffprobe -v error -count_frames -show_entries "
                                "stream=codec_type,codec_tag_string,width,height,r_frame_rate,nb_read_frames "
                                "-of default=nw=1 '" + files[0] + "' 2>&1";
    std::string probe;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            probe += buffer;
        }
        pclose(pipe);
    }
    EXPECT_EQ(probe,
              "codec_type=video\ncodec_tag_string=XVID\nwidth=640\nheight=480\n"
              "r_frame_rate=25/1\nnb_read_frames=60\n");

    const Recording recording = ReadBack(files[0]);
    EXPECT_EQ(recording.frames, 60);
    EXPECT_EQ(recording.numbers, Numbers(100, 159));
}
