#pragma once
#include <string>
#include <string_view>

namespace corvane {

// MIME type for a request path, by the text from its last "." (case-insensitive for ASCII);
// "application/octet-stream" when the table does not know it.
std::string MimeTypeFor(std::string_view path);

}  // namespace corvane
