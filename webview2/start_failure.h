#pragma once
// The messages the user sees when the web view cannot be started or kept running.

#include <cstdint>
#include <string>

namespace corvane {

// "Failed to start the web view (error 0xHHHHHHHH)." with the result code in eight upper-case
// hexadecimal digits.
std::string StartFailureMessage(std::uint32_t errorCode);
// "Failed to open the app's start page (error 0xHHHHHHHH).", digits as above.
std::string StartPageFailureMessage(std::uint32_t errorCode);

inline constexpr char kNotRespondingQuestion[] = "The app is not responding. Reload it?";

}  // namespace corvane
