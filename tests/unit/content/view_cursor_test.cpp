#include "content/view_cursor.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace corvane {
namespace {

using Origin = ViewCursor::Origin;
constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
const std::string kBytes = "0123456789";

ViewCursor Over(const std::string& bytes) {
  return ViewCursor(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string ReadText(ViewCursor& cursor, std::size_t count) {
  std::string out(count, '?');
  out.resize(cursor.Read(out.data(), count));
  return out;
}

TEST(ViewCursorTest, ReadsFromEveryPositionUpToTheEnd) {
  for (std::uint64_t start = 0; start <= kBytes.size() + 2; ++start) {
    for (std::size_t count = 0; count <= kBytes.size() + 1; ++count) {
      SCOPED_TRACE(std::to_string(start) + "+" + std::to_string(count));
      ViewCursor cursor = Over(kBytes);
      ASSERT_EQ(cursor.Seek(std::int64_t(start), Origin::Begin), start);
      const std::string expected = start < kBytes.size() ? kBytes.substr(start, count) : "";
      EXPECT_EQ(ReadText(cursor, count), expected);
      EXPECT_EQ(cursor.position(), start + expected.size());
      EXPECT_EQ(cursor.Remaining(),
                start < kBytes.size() ? kBytes.size() - start - expected.size() : 0u);
    }
  }
  ViewCursor empty(nullptr, 0);
  EXPECT_EQ(ReadText(empty, 8), "");
}

TEST(ViewCursorTest, SeeksFromEachOriginAndRefusesPositionsOutsideTheRange) {
  ViewCursor cursor = Over(kBytes);
  EXPECT_EQ(cursor.Seek(-4, Origin::End), 6u);
  // Before the start or beyond 2^64 - 1: refused, and the position stays.
  EXPECT_EQ(cursor.Seek(-7, Origin::Current), std::nullopt);
  EXPECT_EQ(cursor.Seek(-11, Origin::End), std::nullopt);
  EXPECT_EQ(cursor.Seek(kMin64, Origin::End), std::nullopt);
  EXPECT_EQ(cursor.position(), 6u);
  // An absolute offset counts as unsigned, so every 64-bit position can be reached.
  EXPECT_EQ(cursor.Seek(-1, Origin::Begin), kMax);
  EXPECT_EQ(cursor.Seek(1, Origin::Current), std::nullopt);
  EXPECT_EQ(cursor.Seek(0, Origin::Current), kMax);
  EXPECT_EQ(cursor.Seek(kMin64, Origin::Current), kMax - (std::uint64_t(1) << 63));
  EXPECT_EQ(cursor.Seek(std::numeric_limits<std::int64_t>::max(), Origin::End),
            kBytes.size() + (std::uint64_t(1) << 63) - 1);
}

}  // namespace
}  // namespace corvane
