#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

// Number of characters `size` bytes take in base64 with padding.
constexpr std::size_t Base64Size(std::size_t size) { return (size + 2) / 3 * 4; }

// Writes `size` bytes as base64 (standard alphabet, "=" padding, no line breaks) to `out`, which
// must have room for Base64Size(size) characters. Returns the end of what was written.
char* Base64EncodeTo(char* out, const std::uint8_t* data, std::size_t size);

// The same into a new string.
std::string Base64Encode(const std::uint8_t* data, std::size_t size);

}  // namespace corvane
