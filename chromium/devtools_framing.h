#pragma once
// The DevTools pipe carries JSON messages each ended by one NUL byte. Reads arrive in arbitrary
// pieces; this reassembles whole messages.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class NulFramedReader {
 public:
  // A message longer than `maxMessageSize` is dropped on its own: its bytes are skipped up to its
  // NUL and the messages after it are read as usual, so the buffer never holds more than one
  // message of that size. Its first `keptHeadSize` bytes are kept, to tell what was lost.
  explicit NulFramedReader(std::size_t maxMessageSize, std::size_t keptHeadSize = 4096)
      : maxMessageSize_(maxMessageSize), keptHeadSize_(keptHeadSize) {}

  // Adds bytes as read.
  void Append(std::string_view bytes);

  // The next complete message without its NUL, or none until more bytes arrive. A large message
  // is handed over without being copied.
  std::optional<std::string> Next();

  // The starts of the messages dropped for their size since the last call, each taken as soon as
  // its size is known, in order.
  std::vector<std::string> TakeDroppedHeads() { return std::move(droppedHeads_); }

 private:
  std::size_t maxMessageSize_;
  std::size_t keptHeadSize_;
  std::string buffer_;
  std::size_t consumed_ = 0;      // bytes at the front already handed out
  std::size_t partialStart_ = 0;  // where the message still waiting for its NUL begins
  bool skipping_ = false;         // inside a message that is being dropped
  std::vector<std::string> droppedHeads_;
};

// A message ready to write: the text followed by its NUL.
std::string FrameMessage(std::string_view json);

}  // namespace corvane
