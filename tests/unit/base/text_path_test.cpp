#include "base/text_path.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace std::string_literals;

// Every plane converts and zeros stay; each ill-formed input gives the U+FFFD count of the
// maximal-subpart rule.
TEST(Utf8ToUtf16, ConvertsEveryPlaneAndReplacesMaximalSubparts) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"a\0b"s, u"a\0b"s},
      {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u"\u007F\u0080\u07FF\u0800\uFFFF"},
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
      {"\xBF\x80", u"\uFFFD\uFFFD"},                      // each stray continuation on its own
      {"\xC1\xBF", u"\uFFFD\uFFFD"},                      // C0 and C1 never start a sequence
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},            // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF5\x80", u"\uFFFD\uFFFD"},
      {"\xE2\x82", u"\uFFFD"},    // truncated sequence is one replacement
      {"\xE2\x82x", u"\uFFFDx"},  // the interrupting byte is kept
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(Utf8ToUtf16(input), expected) << testing::PrintToString(input);
  }
}

TEST(Utf16ToUtf8, ConvertsPairsReplacesLoneSurrogatesAndRoundTrips) {
  EXPECT_EQ(Utf16ToUtf8(u"x\0y"s), "x\0y"s);
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD83D, u'b'}), "a\uFFFDb");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDBFF, 0xDFFF}), "\xF4\x8F\xBF\xBF");   // the last pair
  EXPECT_EQ(Utf16ToUtf8(u"\uFFFF\U00010000"), "\xEF\xBF\xBF\xF0\x90\x80\x80");  // 3 and 4 bytes
  const std::string text =
      "C:/Пути/日本語/ファイル 😀 \xEF\xBF\xBD \xC2\x80\xDF\xBF\xE0\xA0\x80.txt";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
}

// Paths of four or more characters get the prefix unless they have it, judged before their
// slashes turn.
TEST(ExtendedPath, PrefixesLongPathsAndStripsThePrefix) {
  const std::pair<std::wstring, std::wstring> extended[] = {
      {L"C:/app/www/a.png", L"\\\\?\\C:\\app\\www\\a.png"},
      {L"\\\\?\\C:/x", L"\\\\?\\C:\\x"},
      {L"a/b", L"a\\b"},
      {L"abcd", L"\\\\?\\abcd"},
      {L"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
      {L"//?/C:", L"\\\\?\\\\\\?\\C:"}};
  for (const auto& [path, expected] : extended) EXPECT_EQ(ToExtendedPath(path), expected);
  EXPECT_EQ(ToExtendedPath("//server/share/game/"s), "\\\\?\\UNC\\server\\share\\game\\");
  const std::pair<std::wstring, std::wstring> stripped[] = {
      {L"\\\\?\\UNC\\server\\share\\x", L"\\\\server\\share\\x"},
      {L"\\\\?\\C:\\a", L"C:\\a"},
      {L"\\\\?\\", L""},
      {L"\\\\?", L"\\\\?"},
      {L"C:\\\\?\\", L"C:\\\\?\\"},
      {L"//?/C:", L"//?/C:"}};
  for (const auto& [path, expected] : stripped) EXPECT_EQ(StripExtendedPrefix(path), expected);
}

}  // namespace
}  // namespace corvane
