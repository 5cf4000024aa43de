#pragma once
// UTF-8 <-> UTF-16 through the platform converter, for the text handed to and taken from Windows
// calls. Invalid input is replaced by the platform, never rejected; empty in gives empty out.

#include <string>
#include <string_view>

namespace corvane {

std::wstring ToWide(std::string_view text);
std::string ToUtf8(std::wstring_view text);

}  // namespace corvane
