#include "TempDir.h"
#include "platform/os/ProgramPath.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Set when this program runs as the child of LongPathSurvivesWhole: the
// child writes what it found about itself into the named file.
constexpr const char* kReportVariable = "MORVANE_OS_TEST_REPORT";
// Set as well when the child is to remove its own program file first, as an
// update replacing the program while it runs would.
constexpr const char* kRemoveVariable = "MORVANE_OS_TEST_REMOVE_SELF";

TEST(ProgramPathChild, ReportsItsOwnPath)
{
    if (const char* self = std::getenv(kRemoveVariable)) {
        fs::remove(self);
    }
    const std::string path = os::ProgramFilePath();
    if (const char* report = std::getenv(kReportVariable)) {
        std::ofstream(report) << path << '\n' << os::ProgramFolder() << '\n';
        return;
    }
    EXPECT_EQ(path, fs::read_symlink("/proc/self/exe").string());
}

// Runs `program` with only the child test selected and the report variable
// set; returns its exit status.
int RunChild(const std::string& program, const std::string& report, bool removeSelf = false)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    env.push_back(std::string(kReportVariable) + "=" + report);
    if (removeSelf) {
        env.push_back(std::string(kRemoveVariable) + "=" + program);
    }
    std::vector<char*> envp;
    for (std::string& e : env) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    std::string filter = "--gtest_filter=ProgramPathChild.*";
    std::vector<char*> argv = {const_cast<char*>(program.c_str()), filter.data(), nullptr};

    const pid_t pid = fork();
    if (pid == 0) {
        // The child's own test report would only clutter this one's.
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
        }
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (pid < 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ProgramPath, LongPathSurvivesWhole)
{
    // Next to the test program, whose folder surely allows running programs.
    const fs::path self = fs::read_symlink("/proc/self/exe");
    TempDir dir(self.parent_path().string());
    ASSERT_TRUE(dir.ok());

    // Names with spaces, multibyte characters and backslashes, nested until
    // the whole path is well over 260 bytes.
    const std::string name = "录像 文件夹\\第%d层 recordings";
    std::string folder = dir.path();
    for (int level = 1; folder.size() < 400; ++level) {
        folder += "/" + name;
        folder.replace(folder.find("%d"), 2, std::to_string(level));
    }
    fs::create_directories(folder);
    const std::string program = folder + "/视频 录像\\程序";
    fs::copy_file(self, program);
    ASSERT_GT(program.size(), 260u);

    const std::string report = dir / "report.txt";
    ASSERT_EQ(RunChild(program, report), 0);

    std::ifstream in(report);
    std::string reportedPath, reportedFolder;
    std::getline(in, reportedPath);
    std::getline(in, reportedFolder);
    EXPECT_EQ(reportedPath, program);
    EXPECT_EQ(reportedFolder, folder);
}

TEST(ProgramPath, ProgramRemovedWhileRunningKeepsItsPath)
{
    const fs::path self = fs::read_symlink("/proc/self/exe");
    TempDir dir(self.parent_path().string());
    ASSERT_TRUE(dir.ok());
    const std::string program = dir / "morvane";
    fs::copy_file(self, program);

    const std::string report = dir / "report.txt";
    ASSERT_EQ(RunChild(program, report, /*removeSelf=*/true), 0);
    ASSERT_FALSE(fs::exists(program));

    std::ifstream in(report);
    std::string reportedPath, reportedFolder;
    std::getline(in, reportedPath);
    std::getline(in, reportedFolder);
    EXPECT_EQ(reportedPath, program);
    EXPECT_EQ(reportedFolder, dir.path());
}

TEST(ProgramPath, FolderIsCutAtTheLastSeparator)
{
    struct Case {
        const char* program;
        const char* folder;
    };
    const Case cases[] = {
        {"/opt/morvane/morvane", "/opt/morvane"},
        {"/morvane", ""},
        {"morvane", ""},
        {"", ""},
        {"/opt/a\\b/morvane", "/opt/a\\b"},
        {"C:\\Program Files\\morvane.exe", ""},
        {"/录像 目录/程序", "/录像 目录"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        os::SetProgramFilePathForTesting(c.program);
        EXPECT_EQ(os::ProgramFilePath(), c.program);
        EXPECT_EQ(os::ProgramFolder(), c.folder);
    }
    os::ClearProgramFilePathForTesting();
    EXPECT_EQ(os::ProgramFilePath(), fs::read_symlink("/proc/self/exe").string());
}

}  // namespace
