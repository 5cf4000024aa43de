#include "base/text_win.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text_path.h"

namespace corvane {
namespace {

using namespace std::string_literals;

std::wstring AsWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

TEST(TextWin, EmptyAndRoundTrip) {
  EXPECT_EQ(ToWide(""), L"");
  EXPECT_EQ(ToUtf8(L""), "");
  const std::string text = "C:\\Пути\\日本語 😀\0zero"s;
  EXPECT_EQ(ToWide(text), L"C:\\Пути\\日本語 😀\0zero"s);
  EXPECT_EQ(ToUtf8(ToWide(text)), text);
}

// The platform converter and the portable one agree on valid text and on the ill-formed input
// whose replacement every converter handles alike. (Overlong forms and encoded surrogates are
// replaced per byte by the portable converter; Wine folds some of their bytes together.)
TEST(TextWin, PlatformAndPortableConvertersAgree) {
  const std::string inputs[] = {"plain",
                                "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
                                "\x80",
                                "\xC0\xAF",
                                "\xE2\x82",
                                "\xE2\x82x",
                                "\xF0\x9F\x98\xC3\xA9",
                                "a\xFF"
                                "b"};
  for (const std::string& input : inputs) {
    EXPECT_EQ(ToWide(input), AsWide(Utf8ToUtf16(input))) << testing::PrintToString(input);
  }
  const std::wstring lone[] = {std::wstring(1, wchar_t(0xD800)), std::wstring(1, wchar_t(0xDC00)),
                               L"a" + std::wstring(1, wchar_t(0xD83D)) + L"b"};
  for (const std::wstring& input : lone) {
    EXPECT_EQ(ToUtf8(input), Utf16ToUtf8(std::u16string(input.begin(), input.end())));
  }
}

}  // namespace
}  // namespace corvane
