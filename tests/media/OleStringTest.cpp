// Conversion of device names to the narrow code page and from UTF-8.

#include <gtest/gtest.h>

#include <ostream>

#include <clocale>
#include <cstring>
#include <string>

#include "media/ThreadLocale.h"
#include "platform/media/com/OleString.h"

namespace {

struct Conversion {
  const char* label;
  const char* locale;
  const wchar_t* text;
  int outBytes;
  int expectedResult;
  std::string expectedBytes;  // the bytes written, NULs included
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.label; }

class WideToNarrowTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(WideToNarrowTest, WritesWholeCharactersAndStaysTerminatedWithinTheBuffer) {
  const Conversion& c = GetParam();
  ThreadLocale locale(c.locale);
  if (!locale.ok()) GTEST_SKIP() << "locale " << c.locale << " not available";
  char out[40];
  std::memset(out, 'Z', sizeof out);  // guard bytes show any write past outBytes
  const int result = WideCharToMultiByte(CP_ACP, 0, c.text, -1, out, c.outBytes, "", nullptr);
  EXPECT_EQ(result, c.expectedResult);
  EXPECT_EQ(std::string(out, c.expectedBytes.size()), c.expectedBytes);
  for (size_t i = size_t(c.outBytes); i < sizeof out; ++i) {
    EXPECT_EQ(out[i], 'Z') << "wrote past the buffer at " << i;
  }
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, WideToNarrowTest,
    ::testing::Values(
        Conversion{"AsciiFits", "C", L"Cam 1", 16, 6, "Cam 1\0"s},
        Conversion{"Utf8Fits", "C.UTF-8", L"A\u6444", 16, 5, "A\xE6\x91\x84\0"s},
        // The C locale has no Chinese: the name ends before the first such character.
        Conversion{"UnrepresentableBecomesNul", "C", L"USB \u6444\u50CF\u5934 2", 16, 10,
                   "USB \0\0\0 2\0"s},
        Conversion{"ExactFit", "C", L"abc", 4, 4, "abc\0"s},
        Conversion{"TooLongEndsWithNulInside", "C", L"abcdef", 4, 0, "abc\0"s},
        // A character that does not fit whole is left out.
        Conversion{"MultibyteCutAtCharacter", "C.UTF-8", L"ab\u6444c", 4, 0, "ab\0"s},
        Conversion{"MultibyteFillingTheBufferIsDropped", "C.UTF-8", L"a\u6444\u6444", 7, 0,
                   "a\xE6\x91\x84\0"s}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(WideToNarrowSizeTest, ZeroSizeAsksForTheBytesNeeded) {
  ThreadLocale locale("C.UTF-8");
  if (!locale.ok()) GTEST_SKIP();
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"a\u6444", -1, nullptr, 0, "", nullptr), 5);
}

TEST(WideToNarrowSizeTest, LongNameInTheNameBufferEndsWithNul) {
  const std::wstring name(3000, L'x');
  char buffer[1024];
  std::memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, buffer, sizeof buffer, "", nullptr), 0);
  EXPECT_EQ(strnlen(buffer, sizeof buffer), 1023u);
}

TEST(WideToNarrowSizeTest, ReportsUseOfTheDefaultCharacter) {
  ThreadLocale locale("C");
  bool used = false;
  char out[8];
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"a\u6444", -1, out, sizeof out, nullptr, &used), 3);
  EXPECT_TRUE(used);
  EXPECT_STREQ(out, "a?");
}

TEST(WideFromUtf8Test, DecodesCharactersAndReplacesBrokenBytes) {
  struct Case {
    std::string utf8;
    std::wstring wide;
  };
  const Case cases[] = {
      {"USB \xE6\x91\x84\xE5\x83\x8F", L"USB \u6444\u50CF"},
      {"\xF0\x9F\x8E\xA5", L"\U0001F3A5"},
      {"a\xFF" "b", L"a\uFFFDb"},            // not a lead byte
      {"a\xE6\x91", L"a\uFFFD\uFFFD"},       // cut short at the end
      {"\xC0\xAF", L"\uFFFD\uFFFD"},         // overlong form of '/'
      {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},  // a surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(media::WideFromUtf8(c.utf8), c.wide) << c.utf8;
}

TEST(VariantTest, ClearFreesTheStringAndEmptiesTheValue) {
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(value.vt, VT_EMPTY);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(L"name");
  EXPECT_EQ(std::wstring(value.bstrVal), L"name");
  EXPECT_EQ(VariantClear(&value), S_OK);
  EXPECT_EQ(value.vt, VT_EMPTY);
  EXPECT_EQ(value.bstrVal, nullptr);
}

}  // namespace
