#include "base/text_win.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text_path.h"

namespace corvane {
namespace {

using namespace std::string_literals;

// Round trips, and agreement with the portable converter on ill-formed input every converter
// replaces alike (Wine folds bytes of overlong forms and encoded surrogates).
TEST(TextWin, RoundTripsAndAgreesWithThePortableConverter) {
  EXPECT_EQ(ToWide(""), L"");
  EXPECT_EQ(ToUtf8(L""), "");
  const std::string text = "C:\\Пути\\日本語 😀\0zero"s;
  EXPECT_EQ(ToWide(text), L"C:\\Пути\\日本語 😀\0zero"s);
  EXPECT_EQ(ToUtf8(ToWide(text)), text);
  for (const std::string& input :
       {"\x80"s, "\xC0\xAF"s, "\xE2\x82"s, "\xE2\x82x"s, "\xF0\x9F\x98\xC3\xA9"s, "a\xFF!"s}) {
    const std::u16string portable = Utf8ToUtf16(input);
    EXPECT_EQ(ToWide(input), std::wstring(portable.begin(), portable.end()))
        << testing::PrintToString(input);
  }
  for (const std::wstring& input : {L"\xD800"s, L"\xDC00"s, L"a\xD83D!"s}) {
    EXPECT_EQ(ToUtf8(input), Utf16ToUtf8(std::u16string(input.begin(), input.end())));
  }
}

}  // namespace
}  // namespace corvane
