#include "platform/os/Locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Puts back the C library's locale and the LC_ALL variable after each case.
class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldLocale = std::setlocale(LC_ALL, nullptr);
        if (const char* old = std::getenv("LC_ALL")) {
            m_oldLcAll = old;
        }
    }
    void TearDown() override
    {
        if (m_oldLcAll) {
            setenv("LC_ALL", m_oldLcAll->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
        std::setlocale(LC_ALL, m_oldLocale.c_str());
    }

    std::string m_oldLocale;
    std::optional<std::string> m_oldLcAll;
};

TEST_F(LocaleTest, TakesTheEnvironmentsLocaleOrFallsBackToUtf8)
{
    struct Case {
        const char* lcAll;
        const char* expected;  // the character set's locale afterwards
    };
    const Case cases[] = {
        {"C.UTF-8", "C.UTF-8"},
        {"C", "C"},  // asked for, so kept
        {"xx_NOWHERE.NOSUCHSET", "C.UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lcAll);
        std::setlocale(LC_ALL, "C");
        setenv("LC_ALL", c.lcAll, 1);
        os::SetLocaleFromEnvironment();
        EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), c.expected);
    }
}

}  // namespace
