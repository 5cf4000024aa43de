#pragma once
// Windows-only file and location helpers, beside the portable ones of file_helpers.h.

#include <windows.h>

#include <string>

#include "base/file_helpers.h"

namespace corvane {

// The known folder's path in UTF-8 (for example FOLDERID_LocalAppData), or empty text when the
// platform cannot resolve it.
std::string GetKnownFolderPath(const GUID& folder);

// `path` in its final form, as for the executable's path: "." and ".." segments resolved, long
// paths allowed (up to the platform's longest path), without the extended-length prefix, in
// UTF-8. Empty when the platform cannot canonicalise it.
std::string CanonicalPath(const wchar_t* path);

}  // namespace corvane
