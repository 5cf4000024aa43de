#include <gtest/gtest.h>

#include <string>

#include "content/range_header.h"
#include "content/url_policy.h"

namespace corvane {
namespace {

TEST(AppAddress, RemoteModeComparesTheOriginAsABrowserDoes) {
  struct Case {
    const char* uri;
    const char* base;
    bool belongs;
  };
  const Case cases[] = {
      {"https://example.com/game/x", "https://Example.COM:443/game/", true},
      {"http://example.com/", "http://example.com:80/", true},
      {"https://example.com/", "HTTPS://example.com/", true},
      {"https://example.com:8443/", "https://example.com/", false},
      {"http://example.com:443/", "http://example.com/", false},  // 443 is not http's default
      {"https://example.com.evil.net/", "https://example.com", false},
      {"https://example.com@evil.net/", "https://example.com", false},
      {"https://example.com/Game/x", "https://example.com/game/", false},  // path is exact
      {"https://example.com/other", "https://example.com/game/", false},
      {"http://example.com/game/", "https://example.com/game/", false},
      {"https://[::1]:443/a", "https://[::1]/", true},
      {"https://[::1]:8443/a", "https://[::1]/", false},
      {"https://example.com?q", "https://example.com", true},
      {"not a url", "https://example.com/", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAppAddress(c.uri, c.base, ContentMode::Remote), c.belongs)
        << c.uri << " against " << c.base;
  }
}

TEST(AppAddress, BundleModeStaysByteForByte) {
  EXPECT_TRUE(IsAppAddress("https://corvane.localhost/a", kAppOrigin, ContentMode::Bundle));
  EXPECT_FALSE(IsAppAddress("https://CORVANE.localhost/a", kAppOrigin, ContentMode::Bundle));
  EXPECT_FALSE(IsAppAddress("https://corvane.localhost:443/a", kAppOrigin, ContentMode::Bundle));
}

TEST(RangeHeader, PositionsBeyond32BitsParse) {
  constexpr std::uint64_t kFiveGiB = 5ull << 30;
  const auto closed = ParseRangeHeader("bytes=4294967296-4294967305", kFiveGiB);
  ASSERT_TRUE(closed);
  EXPECT_EQ(closed->first, 4294967296u);
  EXPECT_EQ(closed->last, 4294967305u);
  const auto open = ParseRangeHeader("bytes=2500000000-", 3000000000u);
  ASSERT_TRUE(open);
  EXPECT_EQ(open->first, 2500000000u);
  EXPECT_EQ(open->last, 2999999999u);
  const auto suffix = ParseRangeHeader("bytes=-4294967297", kFiveGiB);
  ASSERT_TRUE(suffix);
  EXPECT_EQ(suffix->first, kFiveGiB - 4294967297u);
  // The largest position is 2^63 - 1; one more does not parse.
  constexpr std::uint64_t kMax = 9223372036854775807u;
  const auto largest = ParseRangeHeader("bytes=9223372036854775806-9223372036854775807", kMax);
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->last, kMax - 1);
  EXPECT_FALSE(ParseRangeHeader("bytes=9223372036854775808-", kMax));
  EXPECT_FALSE(ParseRangeHeader("bytes=0-9223372036854775808", kMax));
  EXPECT_FALSE(ParseRangeHeader("bytes=-99999999999999999999", kMax));
}

}  // namespace
}  // namespace corvane
