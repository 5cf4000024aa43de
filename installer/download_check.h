#pragma once
// Decides whether a downloaded bootstrapper may be run. A download service can report success
// while the file holds an error page (HTTP 404 bodies are saved like any other), so the transfer
// result, the server's status and the file's first bytes must all agree.

#include <cstdint>
#include <string_view>

namespace corvane {

// Status value meaning "the server's answer was never seen" (for example a cached copy).
inline constexpr std::int32_t kNoHttpStatus = 0;

// True when the transfer succeeded, the HTTP status (kNoHttpStatus when unseen) is below 400, and
// the file begins with the two bytes "MZ" of a Windows executable. `fileStart` holds the first
// bytes read from the file; fewer than two bytes (or a missing file, read as empty) fail.
bool IsRunnableDownload(bool transferSucceeded, std::int32_t httpStatus,
                        std::string_view fileStart);

}  // namespace corvane
