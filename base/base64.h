#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

// Standard alphabet with "=" padding, no line breaks.
std::string Base64Encode(const std::uint8_t* data, std::size_t size);

}  // namespace corvane
