#pragma once
// The DevTools pipe carries JSON messages each ended by one NUL byte. Reads arrive in arbitrary
// pieces; this reassembles whole messages.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

class NulFramedReader {
 public:
  // A message longer than `maxMessageSize` is dropped on its own: its bytes are skipped up to its
  // NUL and the messages after it are read as usual, so the buffer never holds more than one
  // message of that size.
  explicit NulFramedReader(std::size_t maxMessageSize) : maxMessageSize_(maxMessageSize) {}

  // Adds bytes as read.
  void Append(std::string_view bytes);

  // The next complete message without its NUL, or none until more bytes arrive. A large message
  // is handed over without being copied.
  std::optional<std::string> Next();

  // How many messages were dropped for their size.
  std::size_t droppedCount() const { return dropped_; }

 private:
  std::size_t maxMessageSize_;
  std::string buffer_;
  std::size_t consumed_ = 0;      // bytes at the front already handed out
  std::size_t partialStart_ = 0;  // where the message still waiting for its NUL begins
  bool skipping_ = false;         // inside a message that is being dropped
  std::size_t dropped_ = 0;
};

// A message ready to write: the text followed by its NUL.
std::string FrameMessage(std::string_view json);

}  // namespace corvane
