#include "webview2/start_failure.h"

namespace corvane {

namespace {

std::string Hex8(std::uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex(8, '0');
  for (int i = 7; i >= 0; --i, value >>= 4) hex[std::size_t(i)] = kDigits[value & 0xF];
  return hex;
}

}  // namespace

std::string StartFailureMessage(std::uint32_t errorCode) {
  return "Failed to start the web view (error 0x" + Hex8(errorCode) + ").";
}

std::string StartPageFailureMessage(std::uint32_t errorCode) {
  return "Failed to open the app's start page (error 0x" + Hex8(errorCode) + ").";
}

}  // namespace corvane
