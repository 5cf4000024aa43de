// Any request head a local program sends to the loopback endpoint, half of them well formed
// around a fuzzed token. Traps when a request is read that the head's complete first line does
// not begin with, a token holds a space, HEAD is not told apart, or a well-formed request is not
// read back with its own token and method.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "chromium/loopback_request.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::string head;
  std::string token;
  bool wellFormed = input.ConsumeBool();
  const std::string method = input.PickValueInArray({"GET", "HEAD", "POST", "OPTIONS"});
  const bool headOnly = method == "HEAD";
  if (wellFormed) {
    token = input.ConsumeRandomLengthString(96);
    wellFormed = token.find(' ') == std::string::npos && token.find("\r\n") == std::string::npos;
    head = method + " /" + token + " HTTP/1.1\r\n";
  }
  head += input.ConsumeRemainingBytesAsString();

  const std::optional<LoopbackRequest> request = ParseLoopbackRequest(head);
  if (request) {
    const std::size_t space = head.find(' ');
    if (space == 0 || space == std::string::npos) __builtin_trap();
    const std::string line = head.substr(0, space) + " /" + request->token + " ";
    if (head.compare(0, line.size(), line) != 0) __builtin_trap();
    if (request->headOnly != (head.compare(0, 5, "HEAD ") == 0)) __builtin_trap();
    if (request->token.find(' ') != std::string::npos) __builtin_trap();
    if (head.find("\r\n") < line.size()) __builtin_trap();
  }
  if (wellFormed && (!request || request->token != token || request->headOnly != headOnly)) {
    __builtin_trap();
  }
  return 0;
}
