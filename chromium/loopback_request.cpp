#include "chromium/loopback_request.h"

namespace corvane {

std::optional<LoopbackRequest> ParseLoopbackRequest(std::string_view head) {
  const std::size_t lineEnd = head.find("\r\n");
  if (lineEnd == std::string_view::npos) return std::nullopt;
  const std::string_view line = head.substr(0, lineEnd);
  const std::size_t space = line.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const std::size_t secondSpace = line.find(' ', space + 1);
  if (secondSpace == std::string_view::npos || line[space + 1] != '/') return std::nullopt;
  const std::string_view method = line.substr(0, space);
  if (method.empty()) return std::nullopt;
  return LoopbackRequest{std::string(line.substr(space + 2, secondSpace - space - 2)),
                         method == "HEAD"};
}

}  // namespace corvane
