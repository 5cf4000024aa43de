#include "content/url_policy.h"

#include <array>

namespace corvane {
namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

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

bool MayOpenExternally(std::string_view uri) {
  static constexpr std::array<std::string_view, 3> kOpenable = {"http", "https", "mailto"};
  const std::string scheme = SchemeOf(uri);
  for (std::string_view allowed : kOpenable) {
    if (scheme == allowed) return true;
  }
  return false;
}

}  // namespace corvane
