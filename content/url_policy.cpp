#include "content/url_policy.h"

#include <algorithm>
#include <array>
#include <optional>

#include "base/ascii.h"

namespace corvane {
namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The scheme of `uri` in lower case (RFC 3986: a letter, then letters, digits, "+", "-", ".",
// ended by ":"), or empty when the text does not start with one.
std::string SchemeOf(std::string_view uri) {
  if (uri.empty() || !IsAsciiAlpha(uri.front())) return {};
  std::string scheme;
  for (char c : uri) {
    if (c == ':') return scheme;
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return {};
    scheme.push_back(AsciiLower(c));
  }
  return {};  // no colon: not an absolute URI
}

// True when the text ends inside the authority of a hierarchical URI ("scheme://host[:port]"
// with nothing after it), so anything appended would still be part of the host or port.
bool EndsInsideAuthority(std::string_view url) {
  const std::size_t marker = url.find("://");
  if (marker == std::string_view::npos || SchemeOf(url).size() != marker) return false;
  const std::string_view rest = url.substr(marker + 3);
  return rest.find_first_of("/?#") == std::string_view::npos;
}

// A hierarchical URL cut into its comparable parts: lower-case scheme and host, the port with the
// scheme's default written as none, and everything after the authority as written.
struct UrlParts {
  std::string scheme;
  std::string host;
  std::string port;
  std::string_view rest;
};

std::optional<UrlParts> SplitUrl(std::string_view url) {
  UrlParts parts;
  parts.scheme = SchemeOf(url);
  if (parts.scheme.empty() || url.substr(parts.scheme.size() + 1, 2) != "//") return std::nullopt;
  const std::size_t start = parts.scheme.size() + 3;
  const std::size_t end = std::min(url.find_first_of("/?#", start), url.size());
  const std::string_view authority = url.substr(start, end - start);
  // User information would let "https://app.example@evil.example" pass as app.example.
  if (authority.find('@') != std::string_view::npos) return std::nullopt;
  const std::size_t bracket = authority.rfind(']');
  const std::size_t colon = authority.rfind(':');
  const bool hasPort =
      colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket);
  for (char c : authority.substr(0, hasPort ? colon : authority.size())) {
    parts.host.push_back(AsciiLower(c));
  }
  if (hasPort) parts.port = std::string(authority.substr(colon + 1));
  const bool defaultPort = (parts.scheme == "http" && parts.port == "80") ||
                           (parts.scheme == "https" && parts.port == "443");
  if (defaultPort) parts.port.clear();
  parts.rest = url.substr(end);
  return parts;
}

// The part after the authority as a browser reports it: without the fragment (a request never
// carries it), "/" for an empty path, and spaces, controls, quotes, angle brackets and non-ASCII
// bytes percent-encoded. An author's "main" may be written either way; what the browser
// reports is always in this form, which this leaves as it is.
std::string BrowserFormOf(std::string_view rest) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  rest = rest.substr(0, rest.find('#'));
  const std::size_t query = rest.find('?');
  std::string out = rest.starts_with('/') ? "" : "/";
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const auto c = static_cast<unsigned char>(rest[i]);
    const bool inQuery = query != std::string_view::npos && i > query;
    const bool escaped = c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' ||
                         (inQuery ? c == '\'' : (c == '`' || c == '{' || c == '}'));
    if (escaped) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += char(c);
    }
  }
  return out;
}

}  // namespace

std::string BaseUrlFor(const AppConfig& config) {
  return config.contentMode == ContentMode::Remote ? config.main : std::string(kAppOrigin);
}

std::string StartUrlFor(const AppConfig& config, std::string_view baseUrl) {
  if (config.contentMode == ContentMode::Remote) return config.main;
  std::string url(baseUrl);
  url += config.main;
  return url;
}

std::string ResourceFilterFor(std::string_view baseUrl) {
  std::string filter(baseUrl);
  filter += '*';
  return filter;
}

bool PassesPrefixTest(std::string_view uri, std::string_view baseUrl) {
  if (uri.substr(0, baseUrl.size()) != baseUrl || uri.size() < baseUrl.size()) return false;
  if (uri.size() == baseUrl.size() || !EndsInsideAuthority(baseUrl)) return true;
  const char next = uri[baseUrl.size()];
  return next == '/' || next == '?' || next == '#';
}

bool IsAppAddress(std::string_view uri, std::string_view baseUrl, ContentMode mode) {
  if (mode == ContentMode::Bundle) return PassesPrefixTest(uri, baseUrl);
  const std::optional<UrlParts> base = SplitUrl(baseUrl);
  const std::optional<UrlParts> address = SplitUrl(uri);
  if (!base || !address) return PassesPrefixTest(uri, baseUrl);
  if (address->scheme != base->scheme || address->host != base->host ||
      address->port != base->port) {
    return false;
  }
  return BrowserFormOf(address->rest).starts_with(BrowserFormOf(base->rest));
}

bool MayOpenExternally(std::string_view uri) {
  static constexpr std::array<std::string_view, 3> kOpenable = {"http", "https", "mailto"};
  const std::string scheme = SchemeOf(uri);
  if (std::find(kOpenable.begin(), kOpenable.end(), scheme) == kOpenable.end()) return false;
  // The app's host, and any name under it, exists only inside the shell: outside, the system
  // would resolve it to this machine's loopback and hand the address to whatever listens there.
  // A web address with user information ("https://name@host/") is not split, so its host, which
  // may be the app's, cannot be told: it stays.
  std::optional<UrlParts> parts = SplitUrl(uri);
  if (!parts) return scheme == "mailto";
  if (parts->host.ends_with('.')) parts->host.pop_back();
  return parts->host != kAppHost && !parts->host.ends_with("." + std::string(kAppHost));
}

}  // namespace corvane
