#include "content/url_decode.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// Percent signs that start no escape stay; an escape is decoded once only. Each run of escapes is
// read as UTF-8, on its own: ill-formed sequences become U+FFFD (a truncated one counts once), an
// overlong slash never turns into a separator, and an escaped byte never completes a literal one.
TEST(PercentDecodePath, DecodesEscapesOnceAsUtf8AndEndsAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"my%20file.txt", "my file.txt"},
      {"a+b.txt", "a+b.txt"},
      {"a%2Fb%2fc", "a/b/c"},
      {"..%5C..%5Csecret.txt", "..\\..\\secret.txt"},
      {"caf\xC3\xA9.png", "caf\xC3\xA9.png"},
      {"100%", "100%"},
      {"a%4", "a%4"},
      {"%G1%1G", "%G1%1G"},
      {"%%41", "%A"},
      {"%2541", "%41"},
      {"%c3%a9", "\xC3\xA9"},
      {"%F0%9F%98%80", "\xF0\x9F\x98\x80"},
      {"%C3", kBad},
      {"%C3x", kBad + "x"},
      {"%ED%A0%80", Repeat(kBad, 3)},
      {"..%C0%AF..%C0%AFx", ".." + kBad + kBad + ".." + kBad + kBad + "x"},
      {"\xC3%A9", kBad + kBad},
      {"a\xFF", "a" + kBad},
      {"a.txt%00.png", "a.txt"},
      {std::string("a\0%41", 5), "a"}};
  for (const auto& [input, expected] : cases)
    EXPECT_EQ(PercentDecodePath(input), expected) << input;
  // An escape cut by the end of the view is text, whatever follows in memory.
  EXPECT_EQ(PercentDecodePath(std::string_view("a%4F").substr(0, 3)), "a%4");
}

// 2047 UTF-16 units plus the terminator fit; characters past U+FFFF take two units each,
// three-byte characters one.
TEST(PercentDecodePath, ReturnsTextUndecodedWhenResultExceedsCapacity) {
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2047)), std::string(2047, 'A'));
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2048)), Repeat("%41", 2048));
  const std::string grin = "%F0%9F%98%80";
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1023) + "a"), Repeat("\xF0\x9F\x98\x80", 1023) + "a");
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1024)), Repeat(grin, 1024));
  EXPECT_EQ(PercentDecodePath(Repeat("%E2%82%AC", 2047)), Repeat("\xE2\x82\xAC", 2047));
}

}  // namespace
}  // namespace corvane
