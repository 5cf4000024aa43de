#include "content/range_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace corvane {
namespace {

constexpr std::nullopt_t kUnsatisfiable = std::nullopt;
constexpr std::uint64_t kBig = 6ull << 30;

TEST(ParseRangeHeader, FirstRangeReadLikeTheCLibraryAndClampedToTheContent) {
  struct Case {
    const char* text;
    std::uint64_t total;
    std::optional<ByteRange> expected;
  };
  const Case cases[] = {
      // Ordinary ranges of ten bytes.
      {"bytes=0-0", 10, ByteRange{0, 0}},
      {"bytes=0-9", 10, ByteRange{0, 9}},
      {"bytes=2-5", 10, ByteRange{2, 5}},
      {"bytes=9-9", 10, ByteRange{9, 9}},
      {"bytes=5-", 10, ByteRange{5, 9}},
      {"bytes=0-", 10, ByteRange{0, 9}},
      {"bytes=-3", 10, ByteRange{7, 9}},
      {"bytes=-10", 10, ByteRange{0, 9}},
      {"bytes=-1", 1, ByteRange{0, 0}},
      // The last position and a long suffix are clamped to the end.
      {"bytes=0-10", 10, ByteRange{0, 9}},
      {"bytes=3-2147483647", 10, ByteRange{3, 9}},
      {"bytes=-11", 10, ByteRange{0, 9}},
      {"bytes=-2147483647", 10, ByteRange{0, 9}},
      // Outside the content.
      {"bytes=10-", 10, kUnsatisfiable},
      {"bytes=10-12", 10, kUnsatisfiable},
      {"bytes=-0", 10, kUnsatisfiable},
      {"bytes=3-2", 10, kUnsatisfiable},
      {"bytes=0-0", 0, kUnsatisfiable},
      {"bytes=0-", 0, kUnsatisfiable},
      {"bytes=-5", 0, kUnsatisfiable},
      // Other units, no dash.
      {"Bytes=0-5", 10, kUnsatisfiable},
      {"items=0-5", 10, kUnsatisfiable},
      {"bytes", 10, kUnsatisfiable},
      {"bytes=", 10, kUnsatisfiable},
      {"bytes=5", 10, kUnsatisfiable},
      {"", 10, kUnsatisfiable},
      {"bytes 0-5", 10, kUnsatisfiable},
      // Numbers without digits or out of range; negative positions are no positions.
      {"bytes=abc-5", 10, kUnsatisfiable},
      {"bytes=-", 10, kUnsatisfiable},
      {"bytes=0-x", 10, kUnsatisfiable},
      {"bytes=-x", 10, kUnsatisfiable},
      {"bytes=+-5", 10, kUnsatisfiable},
      {"bytes=99999999999-", 10, kUnsatisfiable},
      {"bytes=9223372036854775808-", kBig, kUnsatisfiable},
      {"bytes=0-9223372036854775808", 10, kUnsatisfiable},
      {"bytes=-99999999999999999999999999", 10, kUnsatisfiable},
      {"bytes=--5", 10, kUnsatisfiable},
      {"bytes=0--5", 10, kUnsatisfiable},
      // Read like the C library: the first range of a list counts; "2" then ",5-7" is a closed
      // range without last digits; blanks, signs, zeros and text behind are allowed.
      {"bytes=0-3,5-7", 10, ByteRange{0, 3}},
      {"bytes=2-,5-7", 10, kUnsatisfiable},
      {"bytes= 2 - 4", 10, ByteRange{2, 4}},
      {"bytes=+2-+4", 10, ByteRange{2, 4}},
      {"bytes=007-08", 10, ByteRange{7, 8}},
      {"bytes=2-4junk", 10, ByteRange{2, 4}},
      {"bytes=-5-", 10, ByteRange{5, 9}},  // a suffix of 5, then ignored text
      {"bytes=2147483646-", 2147483648ull, ByteRange{2147483646, 2147483647}},
      // Content beyond four gigabytes.
      {"bytes=0-", kBig, ByteRange{0, kBig - 1}},
      {"bytes=-100", kBig, ByteRange{kBig - 100, kBig - 1}},
      {"bytes=100-199", kBig, ByteRange{100, 199}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseRangeHeader(c.text, c.total), c.expected) << c.text << " of " << c.total;
  }
}

TEST(TrimWhitespace, RemovesAsciiWhitespaceFromBothEndsOnly) {
  EXPECT_EQ(TrimWhitespace(""), "");
  EXPECT_EQ(TrimWhitespace(" \t\n\v\f\r"), "");
  EXPECT_EQ(TrimWhitespace("\t bytes=0-5 \r\n"), "bytes=0-5");
  EXPECT_EQ(TrimWhitespace("a b"), "a b");
  EXPECT_EQ(TrimWhitespace("\xA0x\x85"), "\xA0x\x85");  // high bytes are never white space
}

}  // namespace
}  // namespace corvane
