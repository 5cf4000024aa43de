#include "base/json_parse.h"

#include <vector>

namespace corvane {

namespace {

using Json = nlohmann::json;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The UTF-16 unit of the `\uXXXX` escape at `at`, or -1 when there is none.
long EscapedUnit(const std::string& text, std::size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  long unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const int digit = HexValue(text[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

bool IsHighSurrogate(long unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(long unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

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

}  // namespace corvane
