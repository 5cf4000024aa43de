#include "content/url_decode.h"

#include "base/ascii.h"
#include "base/text_path.h"

namespace corvane {
namespace {

bool IsEscapeAt(std::string_view text, std::size_t i) {
  return i + 2 < text.size() && text[i] == '%' && AsciiHexValue(text[i + 1]) >= 0 &&
         AsciiHexValue(text[i + 2]) >= 0;
}

}  // namespace

std::string PercentDecodePath(std::string_view undecoded) {
  // The platform reads its input as a zero-terminated string.
  const std::string_view input = undecoded.substr(0, undecoded.find('\0'));

  // Runs of escapes and runs of literal text are made valid UTF-8 separately: an escaped byte
  // never completes a sequence begun by a literal one, nor the other way round.
  std::string decoded;
  decoded.reserve(input.size());
  std::string run;
  bool runIsEscaped = false;
  std::size_t i = 0;
  while (i < input.size()) {
    const bool escaped = IsEscapeAt(input, i);
    if (escaped != runIsEscaped) {
      decoded += SanitizeUtf8(run);
      run.clear();
      runIsEscaped = escaped;
    }
    if (escaped) {
      run.push_back(char(AsciiHexValue(input[i + 1]) * 16 + AsciiHexValue(input[i + 2])));
      i += 3;
    } else {
      run.push_back(input[i]);
      i += 1;
    }
  }
  decoded += SanitizeUtf8(run);

  if (Utf8ToUtf16(decoded).size() + 1 > kDecodedPathCapacity) return std::string(undecoded);
  return decoded.substr(0, decoded.find('\0'));
}

}  // namespace corvane
