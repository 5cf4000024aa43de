#pragma once
// The single byte range of an HTTP Range header.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// First and last byte position, both inclusive.
struct ByteRange {
  std::uint64_t first = 0;
  std::uint64_t last = 0;

  std::uint64_t Length() const { return last - first + 1; }
  friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// Removes space, tab, line feed, vertical tab, form feed and carriage return from both ends.
std::string TrimWhitespace(std::string_view text);

// The range a "bytes=" value asks for within `total` bytes, or none when it cannot be satisfied.
// Only the first range counts. A last position at or past the end, and a suffix longer than the
// content, are clamped to the end. Positions are signed 64-bit decimal numbers: a number without
// digits, one that does not fit, or a negative one makes the range unsatisfiable.
std::optional<ByteRange> ParseRangeHeader(std::string_view text, std::uint64_t total);

}  // namespace corvane
