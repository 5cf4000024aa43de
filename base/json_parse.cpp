#include "base/json_parse.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "base/text_path.h"

namespace corvane {

namespace {

using Json = nlohmann::json;

// The UTF-16 unit of the `\uXXXX` escape at `at`, or -1 when there is none.
long EscapedUnit(const std::string& text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  long unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const int digit = AsciiHexValue(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

// nlohmann's DOM parser copies every string token into the document; this one takes it over.
class MovingDomBuilder {
 public:
  explicit MovingDomBuilder(Json& root) : root_(root) {}

  bool null() { return Add(nullptr) != nullptr; }
  bool boolean(bool value) { return Add(value) != nullptr; }
  bool number_integer(Json::number_integer_t value) { return Add(value) != nullptr; }
  bool number_unsigned(Json::number_unsigned_t value) { return Add(value) != nullptr; }
  bool number_float(Json::number_float_t value, const Json::string_t&) {
    return Add(value) != nullptr;
  }
  bool string(Json::string_t& value) { return Add(std::move(value)) != nullptr; }
  bool binary(Json::binary_t&) { return false; }  // never in JSON text
  bool start_object(std::size_t) {
    open_.push_back(Add(Json::object()));
    return true;
  }
  bool key(Json::string_t& name) {
    key_ = std::move(name);
    return true;
  }
  bool end_object() {
    open_.pop_back();
    return true;
  }
  bool start_array(std::size_t) {
    open_.push_back(Add(Json::array()));
    return true;
  }
  bool end_array() {
    open_.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
    return false;
  }

 private:
  // Containers on `open_` get no new siblings while they are open, so the pointers stay valid.
  Json* Add(Json value) {
    if (open_.empty()) {
      root_ = std::move(value);
      return &root_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    // A repeated name keeps its last value, as nlohmann's own parser does.
    Json& slot = parent[std::move(key_)];
    slot = std::move(value);
    return &slot;
  }

  Json& root_;
  std::vector<Json*> open_;
  std::string key_;
};

// The longest string literal of `text` as [open quote, close quote], or none. Only a text that
// is JSON matters: for anything else the later parse fails all the same.
std::optional<std::pair<std::size_t, std::size_t>> LongestStringLiteral(const std::string& text) {
  std::optional<std::pair<std::size_t, std::size_t>> longest;
  for (std::size_t open = text.find('"'); open != std::string::npos;) {
    std::size_t at = open + 1;
    while (at < text.size() && text[at] != '"') at += text[at] == '\\' ? 2 : 1;
    if (at >= text.size()) break;
    if (!longest || at - open > longest->second - longest->first) longest.emplace(open, at);
    open = text.find('"', at + 1);
  }
  return longest;
}

// Decodes the literal's contents [begin, end) to the front of `text`: the decoded form is never
// longer, so writing never overtakes reading. Returns the decoded length, or none when the
// literal is not valid JSON.
std::optional<std::size_t> DecodeToFront(std::string& text, std::size_t begin, std::size_t end) {
  std::size_t length = 0;
  for (std::size_t at = begin; at < end;) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c < 0x20) return std::nullopt;
    if (c != '\\') {
      text[length++] = text[at++];
      continue;
    }
    if (at + 1 >= end) return std::nullopt;
    const char kind = text[at + 1];
    static constexpr std::string_view kSimple = "\"\\/bfnrt";
    static constexpr std::string_view kMeaning = "\"\\/\b\f\n\r\t";
    if (const std::size_t simple = kSimple.find(kind); simple != std::string_view::npos) {
      text[length++] = kMeaning[simple];
      at += 2;
      continue;
    }
    const long unit = kind == 'u' && at + 6 <= end ? EscapedUnit(text, at) : -1;
    if (unit < 0) return std::nullopt;
    at += 6;
    unsigned long point = static_cast<unsigned long>(unit);
    if (IsHighSurrogate(unit)) {
      const long low = at + 6 <= end ? EscapedUnit(text, at) : -1;
      if (IsLowSurrogate(low)) {
        point = 0x10000 + ((point - 0xD800) << 10) + static_cast<unsigned long>(low - 0xDC00);
        at += 6;
      } else {
        point = 0xFFFD;
      }
    } else if (IsLowSurrogate(unit)) {
      point = 0xFFFD;
    }
    length += EncodeUtf8(static_cast<char32_t>(point), &text[length]);
  }
  return length;
}

// The first string in `root` equal to `marker`, or null. Walked without recursion: a page
// decides how deep its message nests.
Json* FindString(Json& root, const std::string& marker) {
  std::vector<Json*> pending{&root};
  while (!pending.empty()) {
    Json* value = pending.back();
    pending.pop_back();
    if (value->is_string() && value->get_ref<const std::string&>() == marker) return value;
    if (!value->is_structured()) continue;
    for (auto child = value->rbegin(); child != value->rend(); ++child) pending.push_back(&*child);
  }
  return nullptr;
}

}  // namespace

bool ReplaceLoneSurrogateEscapes(std::string& text) {
  bool rewritten = false;
  for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at)) {
    const long unit = EscapedUnit(text, at);
    if (unit < 0) {
      at += 2;  // any other escape, including an escaped backslash before a "u"
      continue;
    }
    if (IsHighSurrogate(unit) && IsLowSurrogate(EscapedUnit(text, at + 6))) {
      at += 12;
      continue;
    }
    if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      text.replace(at + 2, 4, "FFFD");
      rewritten = true;
    }
    at += 6;
  }
  return rewritten;
}

Json ParseJsonMovingStrings(std::string_view text) {
  Json root;
  MovingDomBuilder builder(root);
  if (!Json::sax_parse(text.begin(), text.end(), &builder)) return Json(Json::value_t::discarded);
  return root;
}

nlohmann::json ParseJsonLiftingLongestString(std::string& text, std::size_t liftFrom) {
  if (text.size() < liftFrom) {
    // Rewritten only once the text failed to parse: most texts hold no lone surrogate.
    Json parsed = ParseJsonMovingStrings(text);
    if (parsed.is_discarded() && ReplaceLoneSurrogateEscapes(text)) {
      parsed = ParseJsonMovingStrings(text);
    }
    return parsed;
  }
  // Repaired before parsing, not after a failure: lifting consumes the text, so there is no
  // second try. A browser writes a body's bytes as lone surrogates outside the longest string too.
  ReplaceLoneSurrogateEscapes(text);
  const auto literal = LongestStringLiteral(text);
  const std::size_t after =
      literal ? text.find_first_not_of(" \t\r\n", literal->second + 1) : std::string::npos;
  // A member name stays where it is: only values are put back.
  if (!literal || (after != std::string::npos && text[after] == ':')) {
    return ParseJsonMovingStrings(text);
  }
  // A marker no protocol or page text contains: it holds the string's place while the rest is
  // parsed.
  static const std::string kMarker = std::string(
      "\x01"
      "corvane-lifted-string"
      "\x01");
  std::string rest = text.substr(0, literal->first);
  rest += "\"\\u0001corvane-lifted-string\\u0001\"";
  rest.append(text, literal->second + 1);
  const std::optional<std::size_t> decoded =
      DecodeToFront(text, literal->first + 1, literal->second);
  if (!decoded) return Json(Json::value_t::discarded);
  text.resize(*decoded);
  Json parsed = ParseJsonMovingStrings(rest);
  if (parsed.is_discarded()) return parsed;
  // Without the marker, a later member of the same name replaced the string, as it would have
  // replaced it in place.
  if (Json* place = FindString(parsed, kMarker)) *place = std::move(text);
  return parsed;
}

}  // namespace corvane
