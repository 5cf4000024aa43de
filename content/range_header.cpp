#include "content/range_header.h"

#include <cstdint>
#include <limits>

namespace corvane {
namespace {

bool IsWhitespace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a decimal number the way the C library's integer conversion does: leading white space
// skipped, an optional sign, digits up to the first byte that is not one; anything after that is
// ignored. None when there are no digits, the value does not fit in 63 bits, or it is negative
// (no byte position is).
std::optional<std::uint64_t> ReadPosition(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhitespace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t digitsStart = i;
  constexpr std::uint64_t kLimit = std::uint64_t(std::numeric_limits<std::int64_t>::max());
  std::uint64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    const unsigned digit = unsigned(text[i] - '0');
    if (value > (kLimit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
    ++i;
  }
  if (i == digitsStart) return std::nullopt;
  if (negative) return value == 0 ? std::optional<std::uint64_t>(0) : std::nullopt;
  return value;
}

}  // namespace

std::string TrimWhitespace(std::string_view text) {
  while (!text.empty() && IsWhitespace(text.back())) text.remove_suffix(1);
  while (!text.empty() && IsWhitespace(text.front())) text.remove_prefix(1);
  return std::string(text);
}

std::optional<ByteRange> ParseRangeHeader(std::string_view text, std::uint64_t total) {
  constexpr std::string_view kUnit = "bytes=";
  if (total == 0) return std::nullopt;
  if (text.substr(0, kUnit.size()) != kUnit) return std::nullopt;
  const std::string_view ranges = text.substr(kUnit.size());
  const std::size_t dash = ranges.find('-');
  if (dash == std::string_view::npos) return std::nullopt;

  if (dash + 1 == ranges.size()) {  // "N-": from N to the end
    const auto first = ReadPosition(ranges.substr(0, dash));
    if (!first || *first >= total) return std::nullopt;
    return ByteRange{*first, total - 1};
  }
  if (dash == 0) {  // "-N": the last N bytes, or all of them when there are fewer
    const auto count = ReadPosition(ranges.substr(1));
    if (!count || *count == 0) return std::nullopt;
    return ByteRange{*count >= total ? 0 : total - *count, total - 1};
  }
  const auto first = ReadPosition(ranges.substr(0, dash));
  const auto last = ReadPosition(ranges.substr(dash + 1));
  if (!first || !last || *first >= total || *first > *last) return std::nullopt;
  return ByteRange{*first, *last >= total ? total - 1 : *last};
}

}  // namespace corvane
