#include "TempDir.h"
#include "platform/os/ProgramPath.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr auto npos = std::string::npos;

// Switches the C library's character set for one test and puts the old one
// back, so a failing test cannot leave the others in a strange locale.
class ScopedCType {
public:
    ScopedCType() : m_old(std::setlocale(LC_CTYPE, nullptr)) {}
    ~ScopedCType() { std::setlocale(LC_CTYPE, m_old.c_str()); }
    bool use(const char* name) { return std::setlocale(LC_CTYPE, name) != nullptr; }

private:
    std::string m_old;
};

struct SeparatorCase {
    const char* what;
    std::string path;
    std::string::size_type expected;
};

void ExpectSeparators(const std::initializer_list<SeparatorCase>& cases)
{
    for (const SeparatorCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(os::FindLastSeparator(c.path), c.expected);
    }
}

TEST(FindLastSeparator, Utf8Paths)
{
    ScopedCType ctype;
    ASSERT_TRUE(ctype.use("C.UTF-8"));
    ExpectSeparators({
        {"empty", "", npos},
        {"bare name", "morvane", npos},
        {"root only", "/", 0},
        {"plain path", "/opt/morvane/morvane", 12},
        {"trailing separator", "/opt/morvane/", 12},
        {"backslash is part of a name", "/opt/a\\b", 4},
        {"only backslashes", "C:\\rec\\AVI", npos},
        // 录像 is six bytes, 程序 six more.
        {"multibyte names", "/\xE5\xBD\x95\xE5\x83\x8F/\xE7\xA8\x8B\xE5\xBA\x8F", 7},
        {"invalid byte", "/a\xFF/b", 3},
        {"cut-off character swallows no separator", "/a\xE5\xBD/b", 4},
        {"cut-off character at the end", "/a/\xE5\xBD", 2},
        {"embedded NUL", std::string("/a\0/b", 5), 3},
    });
}

// Builds a GBK locale of its own in a temporary folder, since systems
// rarely ship one; skipped where localedef or the GBK sources are missing.
class FindLastSeparatorGbk : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir();
        const std::string command = "localedef -i zh_CN -f GBK '" + *s_dir / "zh_CN.GBK" +
                                    "' >/dev/null 2>&1";
        s_built = s_dir->ok() && std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override
    {
        if (!s_built) {
            GTEST_SKIP() << "cannot build a GBK locale here";
        }
        if (const char* old = std::getenv("LOCPATH")) {
            m_oldLocPath = old;
        }
        setenv("LOCPATH", s_dir->path().c_str(), 1);
        if (!m_ctype.use("zh_CN.GBK")) {
            GTEST_SKIP() << "GBK locale built but not loadable";
        }
    }
    void TearDown() override
    {
        if (m_oldLocPath) {
            setenv("LOCPATH", m_oldLocPath->c_str(), 1);
        } else {
            unsetenv("LOCPATH");
        }
    }

    static inline TempDir* s_dir = nullptr;
    static inline bool s_built = false;
    ScopedCType m_ctype;
    std::optional<std::string> m_oldLocPath;
};

TEST_F(FindLastSeparatorGbk, DoubleByteCharactersAreSteppedOverWhole)
{
    // 誠 is D5 5C and 盶 is B1 5C in GBK: their second byte is the backslash.
    // No GBK character holds a '/' byte (second bytes start at 0x40), so the
    // walk must only keep its place and not lose a separator after them.
    ExpectSeparators({
        {"second byte 0x5C before a separator", "/rec/\xD5\x5C/prog", 7},
        {"second byte 0x5C at the end", "/rec/\xD5\x5C\xB1\x5C", 4},
        {"no separator at all", "\xD5\x5C\xB1\x5C", npos},
        {"first byte without its second", "/a\xD5/b", 3},
        {"first byte at the very end", "/a/\xD5", 2},
    });
}

}  // namespace
