#include "content/url_decode.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST(PercentDecodePath, DecodesEscapesAndLeavesOtherTextAlone) {
  EXPECT_EQ(PercentDecodePath(""), "");
  EXPECT_EQ(PercentDecodePath("images/a.png"), "images/a.png");
  EXPECT_EQ(PercentDecodePath("my%20file.txt"), "my file.txt");
  EXPECT_EQ(PercentDecodePath("a+b.txt"), "a+b.txt");
  EXPECT_EQ(PercentDecodePath("a%2Fb%2fc"), "a/b/c");
  EXPECT_EQ(PercentDecodePath("..%5C..%5Csecret.txt"), "..\\..\\secret.txt");
  EXPECT_EQ(PercentDecodePath("app.js?v=2&x=%41"), "app.js?v=2&x=A");
  EXPECT_EQ(PercentDecodePath("caf\xC3\xA9.png"), "caf\xC3\xA9.png");
}

TEST(PercentDecodePath, KeepsPercentSignsThatStartNoEscape) {
  EXPECT_EQ(PercentDecodePath("100%"), "100%");
  EXPECT_EQ(PercentDecodePath("a%4"), "a%4");
  EXPECT_EQ(PercentDecodePath("%G1%1G"), "%G1%1G");
  EXPECT_EQ(PercentDecodePath("%%41"), "%A");
  EXPECT_EQ(PercentDecodePath("%2541"), "%41");  // decoded once only
}

TEST(PercentDecodePath, DecodesEachRunOfEscapesAsUtf8) {
  EXPECT_EQ(PercentDecodePath("caf%C3%A9.png"), "caf\xC3\xA9.png");
  EXPECT_EQ(PercentDecodePath("%c3%a9"), "\xC3\xA9");
  EXPECT_EQ(PercentDecodePath("%E2%82%AC"), "\xE2\x82\xAC");
  EXPECT_EQ(PercentDecodePath("%F0%9F%98%80"), "\xF0\x9F\x98\x80");
}

TEST(PercentDecodePath, ReplacesInvalidSequencesWithReplacementCharacter) {
  EXPECT_EQ(PercentDecodePath("%C3"), kReplacement);
  EXPECT_EQ(PercentDecodePath("%C3x"), kReplacement + "x");
  EXPECT_EQ(PercentDecodePath("%FF%FE"), kReplacement + kReplacement);
  EXPECT_EQ(PercentDecodePath("%E2%82"), kReplacement);  // a truncated sequence counts once
  EXPECT_EQ(PercentDecodePath("%ED%A0%80"), Repeat(kReplacement, 3));  // surrogate
  // An overlong slash must not turn into a separator.
  EXPECT_EQ(PercentDecodePath("..%C0%AF..%C0%AFx"),
            ".." + kReplacement + kReplacement + ".." + kReplacement + kReplacement + "x");
  // A literal lead byte is not completed by an escaped continuation byte.
  EXPECT_EQ(PercentDecodePath("\xC3%A9"), kReplacement + kReplacement);
  EXPECT_EQ(PercentDecodePath("a\xFF"), "a" + kReplacement);
}

TEST(PercentDecodePath, EndsAtTheFirstNul) {
  EXPECT_EQ(PercentDecodePath("a.txt%00.png"), "a.txt");
  EXPECT_EQ(PercentDecodePath(std::string("a\0%41", 5)), "a");
  EXPECT_EQ(PercentDecodePath("%00"), "");
}

TEST(PercentDecodePath, ReturnsTextUndecodedWhenResultExceedsCapacity) {
  // 2047 units plus the terminator fit; one more does not.
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2047)), std::string(2047, 'A'));
  EXPECT_EQ(PercentDecodePath(Repeat("%41", 2048)), Repeat("%41", 2048));
  EXPECT_EQ(PercentDecodePath(std::string(2048, 'a')), std::string(2048, 'a'));
  // Characters past U+FFFF take two units each.
  const std::string grin = "%F0%9F%98%80";
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1023) + "a"), Repeat("\xF0\x9F\x98\x80", 1023) + "a");
  EXPECT_EQ(PercentDecodePath(Repeat(grin, 1024)), Repeat(grin, 1024));
  // Three-byte characters take one unit: 2047 of them fit.
  EXPECT_EQ(PercentDecodePath(Repeat("%E2%82%AC", 2047)), Repeat("\xE2\x82\xAC", 2047));
}

}  // namespace
}  // namespace corvane
