#include "base/json_members.h"

#include <cmath>
#include <limits>

namespace corvane {
namespace {

using Json = nlohmann::json;

// Only a number counts; its integer form keeps the low 32 bits, so 4294967297 reads as 1.
std::int32_t Low32Bits(std::uint64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int32_t TruncateSaturated(double value) {
  if (std::isnan(value)) return 0;  // not producible by the parser; kept defined for built values
  constexpr double lowest = std::numeric_limits<std::int32_t>::min();
  constexpr double highest = std::numeric_limits<std::int32_t>::max();
  if (value <= lowest) return std::numeric_limits<std::int32_t>::min();
  if (value >= highest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);  // conversion truncates toward zero
}
}  // namespace

std::string GetString(const Json& object, const char* key, const std::string& fallback) {
  if (!object.is_object()) return fallback;
  auto it = object.find(key);
  if (it == object.end() || !it->is_string()) return fallback;
  return it->get_ref<const std::string&>();
}

std::int32_t GetInt(const Json& object, const char* key, std::int32_t fallback) {
  if (!object.is_object()) return fallback;
  auto it = object.find(key);
  if (it == object.end()) return fallback;
  switch (it->type()) {
    case Json::value_t::number_integer:
      return Low32Bits(static_cast<std::uint64_t>(it->get<std::int64_t>()));
    case Json::value_t::number_unsigned:
      return Low32Bits(it->get<std::uint64_t>());
    case Json::value_t::number_float:
      return TruncateSaturated(it->get<double>());
    default:
      return fallback;
  }
}

bool GetBool(const Json& object, const char* key, bool fallback) {
  if (!object.is_object()) return fallback;
  auto it = object.find(key);
  if (it == object.end() || !it->is_boolean()) return fallback;
  return it->get<bool>();
}
}  // namespace corvane
