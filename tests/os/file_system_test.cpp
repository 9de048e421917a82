#include "TempDir.h"
#include "platform/os/FileSystem.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.ok());
        std::ofstream(dir / "file") << "x";
        ASSERT_EQ(mkdir((dir / "folder").c_str(), 0755), 0);
        ASSERT_EQ(symlink((dir / "folder").c_str(), (dir / "link-to-folder").c_str()), 0);
        ASSERT_EQ(symlink((dir / "file").c_str(), (dir / "link-to-file").c_str()), 0);
        ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "dangling").c_str()), 0);
    }
    void TearDown() override { os::ClearFileOpObserverForTesting(); }

    TempDir dir;
};

TEST_F(FileSystemTest, TellsFoldersFromOtherEntries)
{
    struct Case {
        const char* name;
        bool isDirectory;
        bool exists;
    };
    const Case cases[] = {
        {"missing", false, false},
        {"file", false, true},
        {"folder", true, true},
        {"link-to-folder", true, true},
        {"link-to-file", false, true},
        // Nothing can be created where a dangling link stands, so it counts
        // as something that exists, but not as a folder.
        {"dangling", false, true},
        {"file/below-a-file", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = *c.name ? dir / c.name : std::string();
        EXPECT_EQ(os::IsDirectory(path), c.isDirectory);
        EXPECT_EQ(os::PathExists(path), c.exists);
    }
}

TEST_F(FileSystemTest, CreatesOneFolderAndReportsWhyItCouldNot)
{
    EXPECT_TRUE(os::CreateDirectory(dir / "new"));
    EXPECT_TRUE(os::IsDirectory(dir / "new"));

    struct Case {
        const char* name;
        int errnoValue;
    };
    const Case failures[] = {
        {"new", EEXIST},             // already made
        {"file", EEXIST},            // a file stands there
        {"dangling", EEXIST},        // so does a link
        {"a/b", ENOENT},             // parents are not made
        {"file/below", ENOTDIR},     // nothing goes below a file
    };
    for (const Case& c : failures) {
        SCOPED_TRACE(c.name);
        errno = 0;
        EXPECT_FALSE(os::CreateDirectory(dir / c.name));
        EXPECT_EQ(errno, c.errnoValue);
    }
    EXPECT_FALSE(os::PathExists(dir / "a"));
}

TEST_F(FileSystemTest, NewFolderFollowsTheUmask)
{
    const mode_t old = umask(027);
    const bool made = os::CreateDirectory(dir / "masked");
    umask(old);
    ASSERT_TRUE(made);
    struct stat st {};
    ASSERT_EQ(stat((dir / "masked").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0750u);
}

TEST_F(FileSystemTest, NormalAttributesSucceedOnlyWhereSomethingIs)
{
    EXPECT_TRUE(os::SetNormalAttributes(dir / "folder"));
    EXPECT_TRUE(os::SetNormalAttributes(dir / "file"));
    EXPECT_FALSE(os::SetNormalAttributes(dir / "missing"));
}

TEST_F(FileSystemTest, ObserverSeesEachCallInOrderWithItsResult)
{
    struct Seen {
        os::FileOp op;
        std::string path;
        bool result;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    os::SetFileOpObserverForTesting([&](os::FileOp op, const std::string& path, bool result) {
        seen.push_back({op, path, result});
        errno = 0;  // an observer must not hide why a call failed
    });

    os::IsDirectory(dir / "folder");
    os::PathExists(dir / "missing");
    os::CreateDirectory(dir / "missing");
    os::SetNormalAttributes(dir / "missing");
    errno = 0;
    EXPECT_FALSE(os::CreateDirectory(dir / "missing"));
    EXPECT_EQ(errno, EEXIST);

    const std::vector<Seen> expected = {
        {os::FileOp::IsDirectory, dir / "folder", true},
        {os::FileOp::PathExists, dir / "missing", false},
        {os::FileOp::CreateDirectory, dir / "missing", true},
        {os::FileOp::SetNormalAttributes, dir / "missing", true},
        {os::FileOp::CreateDirectory, dir / "missing", false},
    };
    EXPECT_EQ(seen, expected);

    os::ClearFileOpObserverForTesting();
    os::PathExists(dir / "folder");
    EXPECT_EQ(seen.size(), expected.size());
}

}  // namespace
