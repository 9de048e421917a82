// Counting the devices, reading their names and binding them by position.

#include <gtest/gtest.h>

#include <ostream>

#include <cstring>
#include <string>

#include "capture/CameraGraph.h"
#include "media/FakeCaptureDevice.h"
#include "media/ThreadLocale.h"
#include "platform/media/dshow.h"

namespace {

// A name buffer filled with a pattern, so any write to it shows.
struct NameBuffer {
  NameBuffer() { std::memset(bytes, 'Z', sizeof bytes); }
  bool untouched() const {
    for (char c : bytes)
      if (c != 'Z') return false;
    return true;
  }
  char bytes[kDeviceNameBytes];
};

// BindDevice relies on its caller having initialised COM, as Open has.
class DeviceNamesTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(DeviceNamesTest, NoDeviceMeansNoEnumeration) {
  fake::ScopedDevices none({});
  EXPECT_EQ(CCameraGraph::CountDevices(), 0);
  NameBuffer name;
  EXPECT_EQ(CCameraGraph::GetDeviceName(0, name.bytes), 0);
  EXPECT_TRUE(name.untouched());
  CComPtr<IBaseFilter> filter;
  EXPECT_FALSE(CCameraGraph::BindDevice(&filter, 0));
  EXPECT_FALSE(filter);
}

TEST_F(DeviceNamesTest, IndexOutsideTheListLeavesTheBufferAsGiven) {
  fake::ScopedDevices two({fake::Entry("one", fake::NewDevice(media::kPixYUYV, 8, 4)),
                           fake::Entry("two", fake::NewDevice(media::kPixYUYV, 8, 4))});
  EXPECT_EQ(CCameraGraph::CountDevices(), 2);
  for (int index : {5, 2, -1}) {
    NameBuffer name;
    EXPECT_EQ(CCameraGraph::GetDeviceName(index, name.bytes), 1) << index;
    EXPECT_TRUE(name.untouched()) << index;
  }
  NameBuffer name;
  EXPECT_EQ(CCameraGraph::GetDeviceName(1, name.bytes), 1);
  EXPECT_STREQ(name.bytes, "two");
}

TEST_F(DeviceNamesTest, UnreadableNameIsCountedButNeverBound) {
  auto hidden = fake::NewDevice(media::kPixYUYV, 8, 4);
  auto last = fake::NewDevice(media::kPixYUYV, 8, 4);
  fake::ScopedDevices list({fake::Entry("first", fake::NewDevice(media::kPixYUYV, 8, 4)),
                            fake::Entry("hidden", hidden, /*nameReadable=*/false), fake::Entry("last", last)});
  EXPECT_EQ(CCameraGraph::CountDevices(), 3);
  NameBuffer name;
  EXPECT_EQ(CCameraGraph::GetDeviceName(1, name.bytes), 1);
  EXPECT_TRUE(name.untouched());

  CComPtr<IBaseFilter> filter;
  EXPECT_TRUE(CCameraGraph::BindDevice(&filter, 1));
  EXPECT_FALSE(filter);
  EXPECT_EQ(hidden->devicesOpened, 0);

  EXPECT_TRUE(CCameraGraph::BindDevice(&filter, 2)) << "the last device binds";
  EXPECT_TRUE(filter);
  EXPECT_EQ(last->devicesOpened, 1);
  filter.Release();
  EXPECT_EQ(last->devicesAlive, 0);
}

struct NameCase {
  const char* label;
  const char* locale;
  std::string deviceName;  // UTF-8
  std::string expected;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.label; }

class NarrowNameTest : public DeviceNamesTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NarrowNameTest, NameIsWrittenInTheLocalesCodePage) {
  const NameCase& c = GetParam();
  ThreadLocale locale(c.locale);
  if (!locale.ok()) GTEST_SKIP() << c.locale << " is not available";
  fake::ScopedDevices list({fake::Entry(c.deviceName, fake::NewDevice(media::kPixYUYV, 8, 4))});
  char name[kDeviceNameBytes] = {};
  EXPECT_EQ(CCameraGraph::GetDeviceName(0, name), 1);
  EXPECT_EQ(std::string(name), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, NarrowNameTest,
    ::testing::Values(
        NameCase{"Ascii", "C", "Integrated Camera", "Integrated Camera"},
        NameCase{"Utf8KeepsChinese", "C.UTF-8", "USB \xE6\x91\x84\xE5\x83\x8F 2", "USB \xE6\x91\x84\xE5\x83\x8F 2"},
        // A code page without these characters ends the name before the first.
        NameCase{"CutAtUnrepresentable", "C", "USB \xE6\x91\x84\xE5\x83\x8F 2", "USB "}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(DeviceNamesTest, VeryLongNameEndsWithNulWithinTheBuffer) {
  struct Case {
    const char* locale;
    std::string name;
    size_t expectedLength;
  };
  std::string chinese;
  for (int i = 0; i < 600; ++i) chinese += "\xE6\x91\x84";
  const Case cases[] = {{"C", std::string(3000, 'x'), 1023},
                        // 341 whole characters of 3 bytes need 1,023; the NUL ends them.
                        {"C.UTF-8", chinese, 1023}};
  for (const Case& c : cases) {
    ThreadLocale locale(c.locale);
    ASSERT_TRUE(locale.ok()) << c.locale << " is part of the C library";
    fake::ScopedDevices list({fake::Entry(c.name, fake::NewDevice(media::kPixYUYV, 8, 4))});
    NameBuffer name;
    EXPECT_EQ(CCameraGraph::GetDeviceName(0, name.bytes), 1);
    EXPECT_EQ(strnlen(name.bytes, sizeof name.bytes), c.expectedLength) << c.locale;
  }
}

}  // namespace
