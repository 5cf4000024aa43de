#pragma once
// The one message the user sees when the web view cannot be started.

#include <cstdint>
#include <string>

namespace corvane {

// "Failed to start the web view (error 0xHHHHHHHH)." with the result code in eight upper-case
// hexadecimal digits.
std::string StartFailureMessage(std::uint32_t errorCode);

}  // namespace corvane
