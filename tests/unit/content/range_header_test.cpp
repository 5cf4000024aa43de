#include "content/range_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace corvane {
namespace {

struct RangeCase {
  const char* text;
  std::uint64_t total;
  std::optional<ByteRange> expected;
};

void ExpectRanges(std::initializer_list<RangeCase> cases) {
  for (const RangeCase& c : cases) {
    EXPECT_EQ(ParseRangeHeader(c.text, c.total), c.expected) << c.text << " of " << c.total;
  }
}

constexpr std::nullopt_t kUnsatisfiable = std::nullopt;

TEST(ParseRangeHeader, ServesOrdinaryRangesOfTenBytes) {
  ExpectRanges({
      {"bytes=0-0", 10, ByteRange{0, 0}},
      {"bytes=0-9", 10, ByteRange{0, 9}},
      {"bytes=2-5", 10, ByteRange{2, 5}},
      {"bytes=9-9", 10, ByteRange{9, 9}},
      {"bytes=5-", 10, ByteRange{5, 9}},
      {"bytes=0-", 10, ByteRange{0, 9}},
      {"bytes=-3", 10, ByteRange{7, 9}},
      {"bytes=-10", 10, ByteRange{0, 9}},
      {"bytes=-1", 1, ByteRange{0, 0}},
  });
}

TEST(ParseRangeHeader, ClampsLastPositionAndLongSuffixToTheEnd) {
  ExpectRanges({
      {"bytes=0-10", 10, ByteRange{0, 9}},
      {"bytes=3-2147483647", 10, ByteRange{3, 9}},
      {"bytes=-11", 10, ByteRange{0, 9}},
      {"bytes=-2147483647", 10, ByteRange{0, 9}},
  });
}

TEST(ParseRangeHeader, RefusesRangesOutsideTheContent) {
  ExpectRanges({
      {"bytes=10-", 10, kUnsatisfiable},
      {"bytes=10-12", 10, kUnsatisfiable},
      {"bytes=-0", 10, kUnsatisfiable},
      {"bytes=3-2", 10, kUnsatisfiable},
      {"bytes=0-0", 0, kUnsatisfiable},
      {"bytes=0-", 0, kUnsatisfiable},
      {"bytes=-5", 0, kUnsatisfiable},
  });
}

TEST(ParseRangeHeader, RefusesOtherUnitsAndMissingDash) {
  ExpectRanges({
      {"Bytes=0-5", 10, kUnsatisfiable},
      {"items=0-5", 10, kUnsatisfiable},
      {"bytes", 10, kUnsatisfiable},
      {"bytes=", 10, kUnsatisfiable},
      {"bytes=5", 10, kUnsatisfiable},
      {"", 10, kUnsatisfiable},
      {"bytes 0-5", 10, kUnsatisfiable},
  });
}

TEST(ParseRangeHeader, RefusesNumbersWithoutDigitsOrOutOfRange) {
  ExpectRanges({
      {"bytes=abc-5", 10, kUnsatisfiable},
      {"bytes=-", 10, kUnsatisfiable},
      {"bytes=0-x", 10, kUnsatisfiable},
      {"bytes=-x", 10, kUnsatisfiable},
      {"bytes=+-5", 10, kUnsatisfiable},
      {"bytes=99999999999-", 10, kUnsatisfiable},
      {"bytes=9223372036854775808-", 3000000000ull, kUnsatisfiable},
      {"bytes=0-9223372036854775808", 10, kUnsatisfiable},
      {"bytes=-99999999999999999999999999", 10, kUnsatisfiable},
      // Negative positions are no positions, however the dash is read.
      {"bytes=--5", 10, kUnsatisfiable},
      {"bytes=0--5", 10, kUnsatisfiable},
  });
}

TEST(ParseRangeHeader, ReadsNumbersLikeTheCLibrary) {
  ExpectRanges({
      // The first range of a list is served and the rest ignored.
      {"bytes=0-3,5-7", 10, ByteRange{0, 3}},
      {"bytes=2-,5-7", 10, kUnsatisfiable},  // "2" then ",5-7": a closed range with no last digits
      {"bytes= 2 - 4", 10, ByteRange{2, 4}},
      {"bytes=+2-+4", 10, ByteRange{2, 4}},
      {"bytes=007-08", 10, ByteRange{7, 8}},
      {"bytes=2-4junk", 10, ByteRange{2, 4}},
      {"bytes=-5-", 10, ByteRange{5, 9}},  // a suffix of 5, then ignored text
      {"bytes=2147483646-", 2147483648ull, ByteRange{2147483646, 2147483647}},
  });
}

TEST(ParseRangeHeader, WorksOnContentBeyondFourGigabytes) {
  constexpr std::uint64_t kTotal = 6ull << 30;
  ExpectRanges({
      {"bytes=0-", kTotal, ByteRange{0, kTotal - 1}},
      {"bytes=-100", kTotal, ByteRange{kTotal - 100, kTotal - 1}},
      {"bytes=100-199", kTotal, ByteRange{100, 199}},
  });
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
