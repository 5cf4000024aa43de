#pragma once
// Which addresses belong to the app and which may leave it. Shared by every host.

#include <string>
#include <string_view>

#include "base/app_config.h"

namespace corvane {

// Host name of the origin that exists only inside the process and serves the bundle. It must
// never reach a resolver: outside the shell it names this machine.
inline constexpr std::string_view kAppHost = "corvane.localhost";
// Root URL of that origin.
inline constexpr std::string_view kAppOrigin = "https://corvane.localhost/";
static_assert(kAppOrigin.substr(8, kAppHost.size()) == kAppHost &&
              kAppOrigin.size() == kAppHost.size() + 9);

// The prefix that identifies the app's own pages: the app origin in bundle mode, "main" exactly
// as written in remote mode.
std::string BaseUrlFor(const AppConfig& config);

// The address the web view loads first: baseUrl + main in bundle mode (appended as written),
// main alone in remote mode.
std::string StartUrlFor(const AppConfig& config, std::string_view baseUrl);

// The resource filter that limits interception to the app's own origin.
std::string ResourceFilterFor(std::string_view baseUrl);

// True when `uri` begins with `baseUrl`, byte for byte. When baseUrl ends inside its authority
// (a bare origin such as "https://example.com"), the byte after the prefix must end the
// authority ("/", "?", "#" or the end of the text), so "https://example.com.evil.net/" and
// "https://example.com:8080/" do not pass.
bool PassesPrefixTest(std::string_view uri, std::string_view baseUrl);

// True when `uri` belongs to the app. Bundle mode: PassesPrefixTest against the app origin.
// Remote mode: the origin is compared as a browser does (scheme and host in any case, the
// scheme's default port the same as none), then the rest of baseUrl as a prefix, both in the
// form a browser reports (no fragment, "/" for no path, spaces and non-ASCII percent-encoded),
// so that "https://Example.com:443/my game/#/home" accepts what the runtime reports as
// "https://example.com/my%20game/x".
bool IsAppAddress(std::string_view uri, std::string_view baseUrl, ContentMode mode);

// True for the schemes the system's default handlers may open for a page: http, https and
// mailto, in any letter case, except addresses on the app origin's host, which names nothing
// outside the shell. Everything else (file:, custom protocol handlers, javascript:, scheme-less
// text) stays inside.
bool MayOpenExternally(std::string_view uri);

}  // namespace corvane
