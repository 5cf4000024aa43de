#pragma once
// Percent-decoding of the path part of a request URI. One decoder on every platform, so the same
// URI names the same file on Windows, under Wine and on Linux.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// Decoded results must fit this many UTF-16 units, terminator included; longer ones are returned
// undecoded.
inline constexpr std::size_t kDecodedPathCapacity = 2048;

// Decodes every run of %XX escapes as UTF-8 (invalid sequences become U+FFFD). A "%" without two
// hex digits after it stays as it is, "+" stays "+", and "%2F" becomes "/". The result ends at its
// first NUL, decoded or literal. When the result would not fit kDecodedPathCapacity UTF-16 units,
// the text is returned as it came.
std::string PercentDecodePath(std::string_view undecoded);

}  // namespace corvane
