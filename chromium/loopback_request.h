#pragma once
// Reads the request head a client sends to the loopback endpoint. Portable and free of sockets,
// so what any local program may send can be tested and fuzzed on its own.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct LoopbackRequest {
  std::string token;      // the path without its leading "/"
  bool headOnly = false;  // HEAD: headers without the body
};

// The request of `head`, the bytes received up to and including the blank line (or as many as
// arrived): a first line "<method> /<token> <version>" ended by CRLF. Every method is answered
// alike (a POST's body is read away), HEAD without the body. None for a target without a
// leading "/" or a first line that is not complete. The token is not checked here; an unknown one
// simply finds no answer.
std::optional<LoopbackRequest> ParseLoopbackRequest(std::string_view head);

}  // namespace corvane
