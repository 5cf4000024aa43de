#include "base/text_path.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using namespace std::string_literals;

TEST(Utf8ToUtf16, ConvertsEveryPlaneAndKeepsZeros) {
  EXPECT_EQ(Utf8ToUtf16(""), u"");
  EXPECT_EQ(Utf8ToUtf16("a\0b"s), u"a\0b"s);
  EXPECT_EQ(Utf8ToUtf16("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"),
            u"\u007F\u0080\u07FF\u0800\uFFFF");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), u"\U00010000\U0010FFFF");
  EXPECT_EQ(Utf8ToUtf16("h\xC3\xA9llo \xF0\x9F\x98\x80"), u"héllo 😀");
}

// Each case is one ill-formed input and the U+FFFD count the maximal-subpart rule gives.
TEST(Utf8ToUtf16, ReplacesMaximalSubparts) {
  struct Case {
    std::string input;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\x80", u"\uFFFD"},            // lone continuation byte
      {"\xBF\x80", u"\uFFFD\uFFFD"},  // each stray continuation on its own
      {"\xC0\xAF", u"\uFFFD\uFFFD"},  // C0 never starts a sequence
      {"\xC1\xBF", u"\uFFFD\uFFFD"},
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},  // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xF0\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF5\x80", u"\uFFFD\uFFFD"},
      {"\xFF", u"\uFFFD"},
      {"\xE2\x82", u"\uFFFD"},  // truncated sequence is one replacement
      {"\xF0\x9F\x98", u"\uFFFD"},
      {"\xE2\x82x", u"\uFFFDx"},  // the interrupting byte is kept
      {"\xF0\x9F\x98\xC3\xA9", u"\uFFFDé"},
      {"a\xE2\x82\xAC"
       "b\xE2\x82",
       u"a€b\uFFFD"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Utf8ToUtf16(c.input), c.expected) << testing::PrintToString(c.input);
}

TEST(Utf16ToUtf8, ConvertsPairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u""), "");
  EXPECT_EQ(Utf16ToUtf8(u"x\0y"s), "x\0y"s);
  EXPECT_EQ(Utf16ToUtf8(u"héllo 😀"), "h\xC3\xA9llo \xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD83D, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, 0xD83D, 0xDE00}), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDBFF, 0xDFFF}), "\xF4\x8F\xBF\xBF");  // the last pair
}

TEST(Utf16ToUtf8, RoundTripsValidText) {
  const std::string text = "C:/Пути/日本語/ファイル 😀 \xEF\xBF\xBD.txt";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
}

TEST(SanitizeUtf8, KeepsValidTextAndReplacesTheRest) {
  const std::string valid = "plain é € 😀 \xEF\xBF\xBD\0end"s;
  EXPECT_EQ(SanitizeUtf8(valid), valid);
  EXPECT_EQ(SanitizeUtf8("a\xE2\x82"
                         "b\xFF"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ExtendedPath, PrefixesLongPathsAndTurnsSlashes) {
  EXPECT_EQ(ToExtendedPath(std::wstring(L"C:/app/www/a.png")), L"\\\\?\\C:\\app\\www\\a.png");
  EXPECT_EQ(ToExtendedPath(std::wstring(L"\\\\?\\C:/x")), L"\\\\?\\C:\\x");
  EXPECT_EQ(ToExtendedPath(std::wstring(L"a/b")), L"a\\b");
  EXPECT_EQ(ToExtendedPath(std::wstring(L"")), L"");
  EXPECT_EQ(ToExtendedPath(std::wstring(L"abcd")), L"\\\\?\\abcd");
  EXPECT_EQ(ToExtendedPath(std::wstring(L"\\\\server\\share\\x")), L"\\\\?\\UNC\\server\\share\\x");
  EXPECT_EQ(ToExtendedPath(std::string("//server/share/game/")),
            "\\\\?\\UNC\\server\\share\\game\\");
  EXPECT_EQ(ToExtendedPath(std::wstring(L"\\\\?\\UNC\\server\\s")), L"\\\\?\\UNC\\server\\s");
  EXPECT_EQ(StripExtendedPrefix(std::wstring(L"\\\\?\\UNC\\server\\share\\x")),
            L"\\\\server\\share\\x");
  EXPECT_EQ(StripExtendedPrefix(ToExtendedPath(std::string("\\\\srv\\s\\a"))), "\\\\srv\\s\\a");
  // The prefix test looks at the path before its slashes are turned.
  EXPECT_EQ(ToExtendedPath(std::wstring(L"//?/C:")), L"\\\\?\\\\\\?\\C:");
  EXPECT_EQ(ToExtendedPath(std::string("C:/a")), "\\\\?\\C:\\a");
}

TEST(ExtendedPath, StripRemovesOnlyALeadingPrefix) {
  EXPECT_EQ(StripExtendedPrefix(std::wstring(L"\\\\?\\C:\\a")), L"C:\\a");
  EXPECT_EQ(StripExtendedPrefix(std::wstring(L"\\\\?\\")), L"");
  EXPECT_EQ(StripExtendedPrefix(std::wstring(L"\\\\?")), L"\\\\?");
  EXPECT_EQ(StripExtendedPrefix(std::wstring(L"C:\\\\?\\")), L"C:\\\\?\\");
  EXPECT_EQ(StripExtendedPrefix(std::wstring(L"//?/C:")), L"//?/C:");
}

}  // namespace
}  // namespace corvane
