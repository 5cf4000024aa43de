#pragma once
// Whether a text can name exactly one folder, wherever the shell keeps per-app data.

#include <string_view>

namespace corvane {

// True when `name` can be one folder name on every platform the shell runs on: not empty after
// trimming spaces, not "." or "..", no / \ : * ? " < > | or control character, no trailing dot
// or space, not a reserved device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case and
// with any extension) and at most 255 UTF-16 units.
bool IsUsableFolderName(std::string_view name);

}  // namespace corvane
