#include "content/range_header.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

constexpr std::uint64_t kBig = 6ull << 30;
constexpr std::uint64_t kLargest = 9223372036854775807u;  // 2^63 - 1, the largest position

// The first range, read like the C library and clamped to the content: a list's first range
// counts ("2" then ",5-7" is a closed range without last digits); blanks, signs, zeros and text
// behind are allowed; negative positions are no positions.
TEST(ParseRangeHeader, FirstRangeReadLikeTheCLibraryAndClampedToTheContent) {
  const std::tuple<const char*, std::uint64_t, std::uint64_t> ofTen[] = {
      {"bytes=0-0", 0, 0},          {"bytes=0-9", 0, 9},     {"bytes=2-5", 2, 5},
      {"bytes=9-9", 9, 9},          {"bytes=5-", 5, 9},      {"bytes=0-", 0, 9},
      {"bytes=-3", 7, 9},           {"bytes=-10", 0, 9},     {"bytes=0-10", 0, 9},
      {"bytes=3-2147483647", 3, 9}, {"bytes=-11", 0, 9},     {"bytes=-2147483647", 0, 9},
      {"bytes=0-3,5-7", 0, 3},      {"bytes= 2 - 4", 2, 4},  {"bytes=+2-+4", 2, 4},
      {"bytes=007-08", 7, 8},       {"bytes=2-4junk", 2, 4}, {"bytes=-5-", 5, 9}};
  for (const auto& [text, first, last] : ofTen) {
    EXPECT_EQ(ParseRangeHeader(text, 10), (ByteRange{first, last})) << text;
  }
  const std::tuple<const char*, std::uint64_t, std::uint64_t, std::uint64_t> beyond32Bits[] = {
      {"bytes=2147483646-", 2147483648u, 2147483646, 2147483647},
      {"bytes=4294967296-4294967305", kBig, 4294967296, 4294967305},
      {"bytes=-4294967297", kBig, kBig - 4294967297, kBig - 1},
      {"bytes=9223372036854775806-9223372036854775807", kLargest, kLargest - 1, kLargest - 1}};
  for (const auto& [text, total, first, last] : beyond32Bits) {
    EXPECT_EQ(ParseRangeHeader(text, total), (ByteRange{first, last})) << text;
  }
  const char* const unsatisfiable[] = {
      "bytes=10-", "bytes=10-12", "bytes=-0",   "bytes=3-2",    "Bytes=0-5",
      "items=0-5", "bytes",       "bytes=",     "bytes=5",      "",
      "bytes 0-5", "bytes=abc-5", "bytes=-",    "bytes=0-x",    "bytes=-x",
      "bytes=+-5", "bytes=--5",   "bytes=0--5", "bytes=2-,5-7", "bytes=99999999999-"};
  for (const char* text : unsatisfiable) {
    EXPECT_EQ(ParseRangeHeader(text, 10), std::nullopt) << text;
  }
  // Numbers that do not fit in 63 bits, and empty content.
  for (const char* text : {"bytes=0-9223372036854775808", "bytes=-99999999999999999999"}) {
    EXPECT_EQ(ParseRangeHeader(text, 10), std::nullopt) << text;
  }
  for (const char* empty : {"bytes=0-0", "bytes=0-", "bytes=-5"})
    EXPECT_EQ(ParseRangeHeader(empty, 0), std::nullopt);
  EXPECT_EQ(ParseRangeHeader("bytes=9223372036854775808-", kBig), std::nullopt);
}

TEST(TrimWhitespace, RemovesAsciiWhitespaceFromBothEndsOnly) {
  EXPECT_EQ(TrimWhitespace(" \t\n\v\f\r"), "");
  EXPECT_EQ(TrimWhitespace("\t bytes=0-5 \r\n"), "bytes=0-5");
  EXPECT_EQ(TrimWhitespace("a b"), "a b");
  EXPECT_EQ(TrimWhitespace("\xA0x\x85"), "\xA0x\x85");  // high bytes are never white space
}

}  // namespace
}  // namespace corvane
