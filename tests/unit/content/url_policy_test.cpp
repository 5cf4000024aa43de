#include "content/url_policy.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

AppConfig ConfigFor(ContentMode mode, std::string main) {
  AppConfig config;
  config.contentMode = mode;
  config.main = std::move(main);
  return config;
}

TEST(PrefixTest, AppOriginAcceptsItsOwnPagesOnly) {
  const std::string base(kAppOrigin);
  EXPECT_TRUE(PassesPrefixTest("https://corvane.localhost/", base));
  EXPECT_TRUE(PassesPrefixTest("https://corvane.localhost/index.html?x=1#top", base));
  EXPECT_FALSE(PassesPrefixTest("https://corvane.localhost", base));  // shorter than the prefix
  EXPECT_FALSE(PassesPrefixTest("https://Corvane.localhost/index.html", base));  // exact case
  EXPECT_FALSE(PassesPrefixTest("https://corvane.localhost.evil.net/", base));
  EXPECT_FALSE(PassesPrefixTest("http://corvane.localhost/", base));
  EXPECT_FALSE(PassesPrefixTest("", base));
}

TEST(PrefixTest, BareOriginMustEndItsAuthority) {
  const std::string base = "https://example.com";
  EXPECT_TRUE(PassesPrefixTest("https://example.com", base));
  EXPECT_TRUE(PassesPrefixTest("https://example.com/", base));
  EXPECT_TRUE(PassesPrefixTest("https://example.com/app/page.html", base));
  EXPECT_TRUE(PassesPrefixTest("https://example.com?q=1", base));
  EXPECT_TRUE(PassesPrefixTest("https://example.com#frag", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.com.evil.net/", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.com.evil.net", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.community/", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.com:8443/", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.com@evil.net/", base));
}

TEST(PrefixTest, BareOriginWithPortIsNotExtendedByMoreDigits) {
  const std::string base = "http://localhost:80";
  EXPECT_TRUE(PassesPrefixTest("http://localhost:80/", base));
  EXPECT_FALSE(PassesPrefixTest("http://localhost:8080/", base));
}

TEST(PrefixTest, BaseWithPathIsAPlainBytePrefix) {
  // The origin is fixed by the path's slash; anything after it stays on that origin.
  const std::string base = "https://example.com/app/index.html";
  EXPECT_TRUE(PassesPrefixTest("https://example.com/app/index.html", base));
  EXPECT_TRUE(PassesPrefixTest("https://example.com/app/index.html2", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.com/app/other.html", base));
  EXPECT_FALSE(PassesPrefixTest("https://example.com/app/", base));
}

TEST(PrefixTest, BaseWithoutAuthorityIsAPlainBytePrefix) {
  EXPECT_TRUE(PassesPrefixTest("index.html#x", "index.html"));
  EXPECT_FALSE(PassesPrefixTest("https://a/index.html", "index.html"));
}

TEST(ExternalOpenPolicy, OnlyWebAndMailSchemesLeave) {
  EXPECT_TRUE(MayOpenExternally("http://example.com/"));
  EXPECT_TRUE(MayOpenExternally("https://example.com/a?b#c"));
  EXPECT_TRUE(MayOpenExternally("mailto:someone@example.com"));
  EXPECT_TRUE(MayOpenExternally("HTTPS://EXAMPLE.COM/"));
  EXPECT_TRUE(MayOpenExternally("MailTo:x@y"));
  EXPECT_TRUE(MayOpenExternally(std::string(kAppOrigin) + "page.html"));
}

TEST(ExternalOpenPolicy, EverythingElseStaysInside) {
  EXPECT_FALSE(MayOpenExternally("file:///C:/Windows/System32/calc.exe"));
  EXPECT_FALSE(MayOpenExternally("FILE:///etc/passwd"));
  EXPECT_FALSE(MayOpenExternally("ms-settings:privacy"));
  EXPECT_FALSE(MayOpenExternally("javascript:alert(1)"));
  EXPECT_FALSE(MayOpenExternally("https"));              // no colon
  EXPECT_FALSE(MayOpenExternally("httpx://example.com"));
  EXPECT_FALSE(MayOpenExternally("http.evil:foo"));
  EXPECT_FALSE(MayOpenExternally(" https://example.com"));  // not a scheme at the start
  EXPECT_FALSE(MayOpenExternally("C:\\Windows\\notepad.exe"));
  EXPECT_FALSE(MayOpenExternally("\\\\server\\share\\tool.exe"));
  EXPECT_FALSE(MayOpenExternally(""));
}

TEST(AppAddresses, BundleModeServesUnderTheAppOrigin) {
  const AppConfig config = ConfigFor(ContentMode::Bundle, "index.html");
  const std::string base = BaseUrlFor(config);
  EXPECT_EQ(base, "https://corvane.localhost/");
  EXPECT_EQ(StartUrlFor(config, base), "https://corvane.localhost/index.html");
  EXPECT_EQ(ResourceFilterFor(base), "https://corvane.localhost/*");
  // "main" is appended as written: no slash added or removed, nothing escaped.
  EXPECT_EQ(StartUrlFor(ConfigFor(ContentMode::Bundle, "/a b.html"), base),
            "https://corvane.localhost//a b.html");
}

TEST(AppAddresses, RemoteModeUsesMainAsWritten) {
  const AppConfig config = ConfigFor(ContentMode::Remote, "https://example.com/app/start.html");
  const std::string base = BaseUrlFor(config);
  EXPECT_EQ(base, "https://example.com/app/start.html");
  EXPECT_EQ(StartUrlFor(config, base), "https://example.com/app/start.html");
}

}  // namespace
}  // namespace corvane
