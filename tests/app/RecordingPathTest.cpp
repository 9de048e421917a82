// Where a recording goes: the dated folder and the file named by the start
// time, the folders made on the way, and what happens when none can be.
#include <fstream>

#include "RecorderFixture.h"
#include "platform/os/FileSystem.h"

using namespace uitest;

namespace {

struct FileOpRecord {
    os::FileOp op;
    std::string path;
    bool result;
};

// Watches the file-system calls for as long as it lives.
class FileOpWatch {
public:
    FileOpWatch()
    {
        os::SetFileOpObserverForTesting(
            [this](os::FileOp op, const std::string& path, bool result) { ops.push_back({op, path, result}); });
    }
    ~FileOpWatch() { os::ClearFileOpObserverForTesting(); }

    // The paths of the calls of one kind, in order.
    std::vector<std::string> Paths(os::FileOp op, bool onlySucceeded = false) const
    {
        std::vector<std::string> paths;
        for (const FileOpRecord& r : ops) {
            if (r.op == op && (r.result || !onlySucceeded)) {
                paths.push_back(r.path);
            }
        }
        return paths;
    }

    std::vector<FileOpRecord> ops;
};

}  // namespace

TEST_F(RecorderTest, TheFolderIsTheDayAndTheFileTheSecondOfTheStart)
{
    struct Case {
        std::tm now;
        bool clockWorks;
        const char* path;  // under the program folder
    };
    const Case cases[] = {
        {LocalTime(2026, 12, 31, 23, 59, 59), true, "AVI/2026_12_31/20261231235959.avi"},
        {LocalTime(2027, 1, 2, 3, 4, 5), true, "AVI/2027_01_02/20270102030405.avi"},
        {LocalTime(2027, 1, 2, 3, 4, 5), false, "AVI/0000_00_00/00000000-1-1-1.avi"},
    };
    for (const Case& c : cases) {
        os::SetClockForTesting([c](std::tm& out) {
            if (c.clockWorks) {
                out = c.now;
            }
            return c.clockWorks;
        });
        const std::string path = dlg_->BuildRecordingPath();
        EXPECT_EQ(path, folder_ / c.path);
        EXPECT_TRUE(os::IsDirectory(path.substr(0, path.rfind('/')))) << c.path;
    }
}

TEST_F(RecorderTest, ARecordingRunningPastMidnightStaysInTheFolderOfItsDay)
{
    Run([&] {
        SetClock(LocalTime(2026, 12, 31, 23, 59, 59));
        OpenCameraForTicks("0");
        Click(IDC_START_RECORDING);
        Tick(0);
        SetClock(LocalTime(2027, 1, 1, 0, 0, 1));
        Tick(1);
        Tick(2);
    });
    EXPECT_EQ(RecordingFiles(), std::vector<std::string>{folder_ / "AVI/2026_12_31/20261231235959.avi"});
}

TEST_F(RecorderTest, MissingFoldersAreMadeOutermostFirst)
{
    struct Case {
        const char* programFolder;  // under the test's folder
        std::vector<std::string> made;
    };
    const Case cases[] = {
        {"", {"/AVI", "/AVI/2026_12_11"}},
        {"/录像 程序/bin", {"/录像 程序", "/录像 程序/bin", "/录像 程序/bin/AVI", "/录像 程序/bin/AVI/2026_12_11"}},
        // A backslash is part of a name, not a separator.
        {"/a\\b", {"/a\\b", "/a\\b/AVI", "/a\\b/AVI/2026_12_11"}},
    };
    for (const Case& c : cases) {
        os::SetProgramFilePathForTesting(folder_.path() + c.programFolder + "/morvane");
        TestableMorvaneDlg dlg;
        FileOpWatch watch;
        dlg.BuildRecordingPath();
        std::vector<std::string> expected;
        for (const std::string& made : c.made) {
            expected.push_back(folder_.path() + made);
        }
        EXPECT_EQ(watch.Paths(os::FileOp::CreateDirectory, true), expected) << c.programFolder;
        EXPECT_EQ(watch.Paths(os::FileOp::SetNormalAttributes), expected) << c.programFolder;
    }
}

TEST_F(RecorderTest, AnExistingDatedFolderIsOnlyLookedAt)
{
    dlg_->BuildRecordingPath();
    FileOpWatch watch;
    dlg_->BuildRecordingPath();
    EXPECT_EQ(watch.Paths(os::FileOp::IsDirectory), std::vector<std::string>{folder_ / "AVI/2026_12_11"});
    EXPECT_TRUE(watch.Paths(os::FileOp::CreateDirectory).empty());
    EXPECT_TRUE(watch.Paths(os::FileOp::SetNormalAttributes).empty());
}

TEST_F(RecorderTest, RecordingsStartedInTheSameSecondKeepFilesOfTheirOwn)
{
    Run([&] {
        OpenCameraForTicks("0");
        for (uint32_t recording = 0; recording < 3; ++recording) {
            Click(IDC_START_RECORDING);
            for (uint32_t n = 0; n <= recording; ++n) {
                Tick(recording * 10 + n);
            }
            Click(IDC_STOP_RECORDING);
        }
    });
    const std::string day = folder_ / "AVI/2026_12_11/";
    EXPECT_EQ(RecordingFiles(), (std::vector<std::string>{day + "20261211093015.avi", day + "20261211093015_2.avi",
                                                          day + "20261211093015_3.avi"}));
}

TEST_F(RecorderTest, AFileWhereAFolderShouldBeRefusesTheStart)
{
    std::ofstream(folder_ / "AVI") << "not a folder";
    MessageBoxRecorder boxes;
    FileOpWatch watch;
    Run([&] {
        OpenCameraForTicks("1");
        Click(IDC_START_RECORDING);
        EXPECT_FALSE(dlg_->m_bRecording);
        EXPECT_EQ(dlg_->m_pRecording, nullptr);
        EXPECT_EQ(Buttons(), kCameraOpen);
        Tick(0);  // the camera goes on, nothing is counted
        EXPECT_EQ(PreviewFrameNumber(), 0);
    });
    EXPECT_TRUE(watch.Paths(os::FileOp::CreateDirectory, true).empty()) << "nothing made under the file";
    EXPECT_EQ(Boxes(boxes), (std::vector<Box>{{"创建录像文件失败!", "开始录像", 0x40, dlg_.get()}}));
}
