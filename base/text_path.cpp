#include "base/text_path.h"

#include <cstdint>

namespace corvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `i` and advances past it. An ill-formed sequence yields U+FFFD and
// consumes only its maximal subpart: the longest prefix that could still have begun a valid
// sequence (at least one byte). This is the replacement practice of the Unicode standard and of
// the WHATWG encoder, which the platform converter follows too.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
  const std::uint8_t lead = byte(i++);
  if (lead < 0x80) return lead;

  std::size_t needed = 0;
  char32_t code = 0;
  std::uint8_t lower = 0x80;
  std::uint8_t upper = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2;
    code = lead & 0x0F;
    if (lead == 0xE0) lower = 0xA0;  // no overlong forms
    if (lead == 0xED) upper = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3;
    code = lead & 0x07;
    if (lead == 0xF0) lower = 0x90;  // no overlong forms
    if (lead == 0xF4) upper = 0x8F;  // nothing above U+10FFFF
  } else {
    return kReplacement;  // continuation byte or a byte that never starts a sequence
  }

  for (std::size_t k = 0; k < needed; ++k) {
    if (i >= text.size()) return kReplacement;
    const std::uint8_t next = byte(i);
    if (next < lower || next > upper) return kReplacement;  // `next` starts the next sequence
    code = (code << 6) | (next & 0x3F);
    ++i;
    lower = 0x80;
    upper = 0xBF;
  }
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  char bytes[4];
  out.append(bytes, EncodeUtf8(code, bytes));
}

}  // namespace

std::size_t EncodeUtf8(char32_t code, char* out) {
  if (code < 0x80) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  if (code < 0x800) {
    out[0] = static_cast<char>(0xC0 | (code >> 6));
    out[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
  }
  if (code < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (code >> 12));
    out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (code & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (code >> 18));
  out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (code & 0x3F));
  return 4;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char32_t code = DecodeUtf8(text, i);
    if (code < 0x10000) {
      out.push_back(static_cast<char16_t>(code));
    } else {
      const char32_t offset = code - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      const char32_t code = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      AppendUtf8(out, code);
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);  // a surrogate without its partner
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string SanitizeUtf8(std::string_view text) {
  // Re-encoding a valid sequence gives back its own bytes, so only ill-formed ones change.
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) AppendUtf8(out, DecodeUtf8(text, i));
  return out;
}

}  // namespace corvane
