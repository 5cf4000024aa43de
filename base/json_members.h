#pragma once
// Lenient readers of an object's members, for JSON written by people and pages: a member of the
// wrong type, a missing member or a value that is not an object reads as the fallback. None of
// them throws.

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace corvane {

std::string GetString(const nlohmann::json& object, const char* key,
                      const std::string& fallback = {});

// A number of any JSON form: integers keep their low 32 bits, fractions are cut toward zero and
// held at the 32-bit limits. true and false are not numbers.
std::int32_t GetInt(const nlohmann::json& object, const char* key, std::int32_t fallback);

bool GetBool(const nlohmann::json& object, const char* key, bool fallback);

}  // namespace corvane
