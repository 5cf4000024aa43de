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
  // A peer that never sends a NUL must not grow the buffer without bound.
  explicit NulFramedReader(std::size_t maxMessageSize) : maxMessageSize_(maxMessageSize) {}

  // Adds bytes as read. Returns false once an unterminated message exceeds the limit; the
  // reader is then unusable, since the stream can no longer be resynchronised.
  bool Append(std::string_view bytes);

  // The next complete message without its NUL, or none until more bytes arrive.
  std::optional<std::string> Next();

 private:
  std::size_t maxMessageSize_;
  std::string buffer_;
  std::size_t consumed_ = 0;  // bytes at the front already handed out
  std::size_t scanned_ = 0;   // bytes after `consumed_` known to hold no NUL
  bool overflowed_ = false;
};

// A message ready to write: the text followed by its NUL.
std::string FrameMessage(std::string_view json);

}  // namespace corvane
