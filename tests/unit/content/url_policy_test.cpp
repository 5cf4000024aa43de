#include "content/url_policy.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

// The app's own origin in bundle mode is a plain byte prefix too.
TEST(PrefixTest, ABareOriginMustEndItsAuthorityAndAnyOtherBaseIsAPlainBytePrefix) {
  const char* const app = kAppOrigin.data();
  const char* const bare = "https://example.com";
  const char* const page = "https://example.com/app/index.html";
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"https://corvane.localhost/", app, true},
      {"https://corvane.localhost", app, false},             // shorter than the prefix
      {"https://Corvane.localhost/index.html", app, false},  // exact case
      {"https://corvane.localhost:443/a", app, false},
      {"https://example.com", bare, true},
      {"https://example.com/", bare, true},
      {"https://example.com?q=1", bare, true},
      {"https://example.com#frag", bare, true},
      {"https://example.com.evil.net/", bare, false},
      {"https://example.com@evil.net/", bare, false},
      // The origin is fixed by the path's slash; anything after it stays on that origin.
      {"https://example.com/app/index.html2", page, true},
      {"https://example.com/app/other.html", page, false},
      {"index.html#x", "index.html", true},
      // A scheme must start with a letter: "1ab" is none, so "1ab://host" is no bare origin.
      {"1ab://host.evil", "1ab://host", true},
      {"z+Z.9-://host.evil", "z+Z.9-://host", false},  // every letter, digit and sign it may hold
  };
  for (const auto& [url, base, passes] : cases) {
    EXPECT_EQ(PassesPrefixTest(url, base), passes) << url << " against " << base;
    EXPECT_EQ(IsAppAddress(url, base, ContentMode::Bundle), passes) << url << " against " << base;
  }
}

TEST(AppAddress, RemoteModeComparesTheOriginAsABrowserDoes) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"https://example.com/game/x", "https://Example.COM:443/game/", true},
      {"http://example.com/", "http://example.com:80/", true},
      {"web+x0://example.com/a", "WEB+X0://EXAMPLE.com/", true},  // digits in a scheme
      {"https://example.com:8443/", "https://example.com/", false},
      {"http://example.com:443/", "http://example.com/", false},  // 443 is not http's default
      {"https://example.com.evil.net/", "https://example.com", false},
      {"https://example.com@evil.net/", "https://example.com", false},
      {"https://example.com/Game/x", "https://example.com/game/", false},  // path is exact
      {"http://example.com/game/", "https://example.com/game/", false},
      {"https://[::1]:443/a", "https://[::1]/", true},
      {"https://[::1]:8443/a", "https://[::1]/", false},
      {"https://example.com?q", "https://example.com", true},
      {"not a url", "https://example.com/", false},
      // "main" as an author may write it; the browser reports the address escaped and without
      // its fragment.
      {"http://127.0.0.1:8765/my%20game/index.html", "http://127.0.0.1:8765/my game/", true},
      {"https://example.com/spiele/%C3%BCber/x", "https://example.com/spiele/\u00FCber/", true},
      {"https://example.com/game/", "https://example.com/game/#/home", true},
      {"https://example.com/?x=1&y=%22a%20b%22", "https://example.com?x=1&y=\"a b\"", true},
      {"https://example.com/it's%7B%7D/?q=%27v%27", "https://example.com/it's{}/?q='v'", true},
  };
  for (const auto& [uri, base, belongs] : cases) {
    EXPECT_EQ(IsAppAddress(uri, base, ContentMode::Remote), belongs) << uri << " against " << base;
  }
}

TEST(ExternalOpenPolicy, OnlyWebAndMailSchemesLeave) {
  for (const char* url : {"http://example.com/", "MailTo:x@y", "HTTPS://EXAMPLE.COM/",
                          "https://corvane.localhost.example/"}) {
    EXPECT_TRUE(MayOpenExternally(url)) << url;
  }
  for (const char* url : {"file:///C:/Windows/System32/calc.exe", "javascript:alert(1)", "https",
                          "httpx://example.com", "http.evil:foo", " https://example.com", "",
                          "https://corvane.localhost/page.html", "http://Corvane.LocalHost.:8080/",
                          "https://name@example.com/", "http://x.Corvane.localhost:8080/"}) {
    EXPECT_FALSE(MayOpenExternally(url)) << url;
  }
}

}  // namespace
}  // namespace corvane
