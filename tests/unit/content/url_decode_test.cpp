#include "content/url_decode.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(PercentDecodePath, DecodesEscapesOnceAsUtf8AndEndsAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"images/a.png", "images/a.png"},
      {"my%20file.txt", "my file.txt"},
      {"a+b.txt", "a+b.txt"},
      {"a%2Fb%2fc", "a/b/c"},
      {"..%5C..%5Csecret.txt", "..\\..\\secret.txt"},
      {"app.js?v=2&x=%41", "app.js?v=2&x=A"},
      {"caf\xC3\xA9.png", "caf\xC3\xA9.png"},
      // Percent signs that start no escape stay; an escape is decoded once only.
      {"100%", "100%"},
      {"a%4", "a%4"},
      {"%G1%1G", "%G1%1G"},
      {"%%41", "%A"},
      {"%2541", "%41"},
      // Each run of escapes is read as UTF-8.
      {"caf%C3%A9.png", "caf\xC3\xA9.png"},
      {"%c3%a9", "\xC3\xA9"},
      {"%E2%82%AC", "\xE2\x82\xAC"},
      {"%F0%9F%98%80", "\xF0\x9F\x98\x80"},
      // Ill-formed sequences become U+FFFD; a truncated sequence counts once.
      {"%C3", kBad},
      {"%C3x", kBad + "x"},
      {"%FF%FE", kBad + kBad},
      {"%E2%82", kBad},
      {"%ED%A0%80", Repeat(kBad, 3)},  // surrogate
      // An overlong slash must not turn into a separator.
      {"..%C0%AF..%C0%AFx", ".." + kBad + kBad + ".." + kBad + kBad + "x"},
      // A literal lead byte is not completed by an escaped continuation byte.
      {"\xC3%A9", kBad + kBad},
      {"a\xFF", "a" + kBad},
      {"a.txt%00.png", "a.txt"},
      {std::string("a\0%41", 5), "a"},
      {"%00", ""},
  };
  for (const auto& [input, expected] : cases)
    EXPECT_EQ(PercentDecodePath(input), expected) << input;
}

TEST(PercentDecodePath, ReturnsTextUndecodedWhenResultExceedsCapacity) {
  // 2047 UTF-16 units plus the terminator fit; one more does not.
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2047)), std::string(2047, 'A'));
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2048)), Repeat("%41", 2048));
  EXPECT_EQ(PercentDecodePath(std::string(2048, 'a')), std::string(2048, 'a'));
  // Characters past U+FFFF take two units each, three-byte characters one.
  const std::string grin = "%F0%9F%98%80";
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1023) + "a"), Repeat("\xF0\x9F\x98\x80", 1023) + "a");
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1024)), Repeat(grin, 1024));
  EXPECT_EQ(PercentDecodePath(Repeat("%E2%82%AC", 2047)), Repeat("\xE2\x82\xAC", 2047));
}

}  // namespace
}  // namespace corvane
