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

TEST(PrefixTest, ABareOriginMustEndItsAuthorityAndAnyOtherBaseIsAPlainBytePrefix) {
  struct Case {
    const char* url;
    const char* base;
    bool passes;
  };
  const char* const app = kAppOrigin.data();
  const char* const bare = "https://example.com";
  const char* const page = "https://example.com/app/index.html";
  const Case cases[] = {
      {"https://corvane.localhost/", app, true},
      {"https://corvane.localhost/index.html?x=1#top", app, true},
      {"https://corvane.localhost", app, false},             // shorter than the prefix
      {"https://Corvane.localhost/index.html", app, false},  // exact case
      {"https://corvane.localhost.evil.net/", app, false},
      {"http://corvane.localhost/", app, false},
      {"", app, false},
      {"https://example.com", bare, true},
      {"https://example.com/", bare, true},
      {"https://example.com/app/page.html", bare, true},
      {"https://example.com?q=1", bare, true},
      {"https://example.com#frag", bare, true},
      {"https://example.com.evil.net/", bare, false},
      {"https://example.com.evil.net", bare, false},
      {"https://example.community/", bare, false},
      {"https://example.com:8443/", bare, false},
      {"https://example.com@evil.net/", bare, false},
      {"http://localhost:80/", "http://localhost:80", true},
      {"http://localhost:8080/", "http://localhost:80", false},  // a port is not extended
      // The origin is fixed by the path's slash; anything after it stays on that origin.
      {"https://example.com/app/index.html", page, true},
      {"https://example.com/app/index.html2", page, true},
      {"https://example.com/app/other.html", page, false},
      {"https://example.com/app/", page, false},
      {"index.html#x", "index.html", true},
      {"https://a/index.html", "index.html", false},
      // A scheme must start with a letter: "1ab" is none, so "1ab://host" is no bare origin.
      {"1ab://host.evil", "1ab://host", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PassesPrefixTest(c.url, c.base), c.passes) << c.url << " against " << c.base;
  }
}

TEST(ExternalOpenPolicy, OnlyWebAndMailSchemesLeave) {
  for (const std::string url : {"http://example.com/", "https://example.com/a?b#c", "MailTo:x@y",
                                "mailto:someone@example.com", "HTTPS://EXAMPLE.COM/",
                                "https://corvane.localhost/page.html"}) {
    EXPECT_TRUE(MayOpenExternally(url)) << url;
  }
  for (const std::string url :
       {"file:///C:/Windows/System32/calc.exe", "FILE:///etc/passwd", "ms-settings:privacy",
        "javascript:alert(1)", "https", "httpx://example.com", "http.evil:foo",
        " https://example.com", "C:\\Windows\\notepad.exe", "\\\\server\\share\\tool.exe", ""}) {
    EXPECT_FALSE(MayOpenExternally(url)) << url;
  }
}

TEST(AppAddresses, BundleModeServesUnderTheAppOriginAndRemoteModeUsesMainAsWritten) {
  const AppConfig config = ConfigFor(ContentMode::Bundle, "index.html");
  const std::string base = BaseUrlFor(config);
  EXPECT_EQ(base, "https://corvane.localhost/");
  EXPECT_EQ(StartUrlFor(config, base), "https://corvane.localhost/index.html");
  EXPECT_EQ(ResourceFilterFor(base), "https://corvane.localhost/*");
  // "main" is appended as written: no slash added or removed, nothing escaped.
  EXPECT_EQ(StartUrlFor(ConfigFor(ContentMode::Bundle, "/a b.html"), base),
            "https://corvane.localhost//a b.html");

  const AppConfig remote = ConfigFor(ContentMode::Remote, "https://example.com/app/start.html");
  EXPECT_EQ(BaseUrlFor(remote), "https://example.com/app/start.html");
  EXPECT_EQ(StartUrlFor(remote, BaseUrlFor(remote)), "https://example.com/app/start.html");
}

}  // namespace
}  // namespace corvane
