#include "webview2/start_failure.h"

namespace corvane {

std::string StartFailureMessage(std::uint32_t errorCode) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex(8, '0');
  for (int i = 7; i >= 0; --i, errorCode >>= 4) hex[std::size_t(i)] = kDigits[errorCode & 0xF];
  return "Failed to start the web view (error 0x" + hex + ").";
}

}  // namespace corvane
