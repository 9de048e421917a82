#include "platform/os/LocalTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// Sets TZ for one test and puts the old value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz)
    {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_old) {
            setenv("TZ", m_old->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> m_old;
};

class LocalTimeTest : public ::testing::Test {
protected:
    void TearDown() override { os::ClearClockForTesting(); }
};

TEST_F(LocalTimeTest, ReadsTheClockInTheLocalTimeZone)
{
    struct Case {
        const char* tz;
        long offsetSeconds;  // local time minus UTC
    };
    const Case cases[] = {{"UTC0", 0}, {"CST-8", 8 * 3600}, {"EST+5", -5 * 3600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tz);
        ScopedTimeZone zone(c.tz);
        const std::time_t before = std::time(nullptr);
        std::tm local{};
        ASSERT_TRUE(os::LocalTimeNow(local));
        const std::time_t after = std::time(nullptr);
        // timegm reads the fields as UTC, so it is off by the zone's offset.
        const std::time_t asUtc = timegm(&local) - c.offsetSeconds;
        EXPECT_GE(asUtc, before);
        EXPECT_LE(asUtc, after);
    }
}

TEST_F(LocalTimeTest, TestClockReplacesTheRealOneUntilCleared)
{
    std::tm fixed{};
    fixed.tm_year = 1901 - 1900;  // a year the real clock never shows
    fixed.tm_mon = 11;
    fixed.tm_mday = 31;
    fixed.tm_hour = 23;
    fixed.tm_min = 59;
    fixed.tm_sec = 59;
    os::SetClockForTesting([&](std::tm& out) {
        out = fixed;
        return true;
    });
    std::tm got{};
    ASSERT_TRUE(os::LocalTimeNow(got));
    EXPECT_EQ(got.tm_year, fixed.tm_year);
    EXPECT_EQ(got.tm_mon, fixed.tm_mon);
    EXPECT_EQ(got.tm_mday, fixed.tm_mday);
    EXPECT_EQ(got.tm_hour, fixed.tm_hour);
    EXPECT_EQ(got.tm_min, fixed.tm_min);
    EXPECT_EQ(got.tm_sec, fixed.tm_sec);

    os::ClearClockForTesting();
    ASSERT_TRUE(os::LocalTimeNow(got));
    EXPECT_NE(got.tm_year, fixed.tm_year);
}

TEST_F(LocalTimeTest, FailureOfTheTestClockIsPassedOn)
{
    os::SetClockForTesting([](std::tm&) { return false; });
    std::tm got{};
    EXPECT_FALSE(os::LocalTimeNow(got));
}

}  // namespace
