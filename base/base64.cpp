#include "base/base64.h"

namespace corvane {

char* Base64EncodeTo(char* out, const std::uint8_t* data, std::size_t size) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) {
    const std::uint32_t n =
        (std::uint32_t(data[i]) << 16) | (std::uint32_t(data[i + 1]) << 8) | data[i + 2];
    out[0] = kAlphabet[n >> 18];
    out[1] = kAlphabet[(n >> 12) & 63];
    out[2] = kAlphabet[(n >> 6) & 63];
    out[3] = kAlphabet[n & 63];
    out += 4;
  }
  if (i < size) {
    std::uint32_t n = std::uint32_t(data[i]) << 16;
    if (i + 1 < size) n |= std::uint32_t(data[i + 1]) << 8;
    out[0] = kAlphabet[n >> 18];
    out[1] = kAlphabet[(n >> 12) & 63];
    out[2] = i + 1 < size ? kAlphabet[(n >> 6) & 63] : '=';
    out[3] = '=';
    out += 4;
  }
  return out;
}

std::string Base64Encode(const std::uint8_t* data, std::size_t size) {
  std::string out(Base64Size(size), '\0');
  Base64EncodeTo(out.data(), data, size);
  return out;
}

}  // namespace corvane
