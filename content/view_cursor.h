#pragma once
// A read position over a fixed block of bytes, with the positioning rules of a read-only stream.
// The platform's stream objects (view_stream_win.h) keep their state in one of these.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace corvane {

// The position may be anywhere from 0 to 2^64 - 1, past the end too, where reads return nothing.
// Not thread-safe: the owner serialises calls. Does not own the bytes.
class ViewCursor {
 public:
  enum class Origin { Begin, Current, End };

  // `data` may be null only when `size` is 0.
  ViewCursor(const std::uint8_t* data, std::uint64_t size) : data_(data), size_(size) {}

  // Copies up to `count` bytes from the position to `out` and moves past them; returns how many
  // were copied, which is fewer than `count` only at the end (none at or past it).
  std::size_t Read(void* out, std::size_t count);

  // Moves to `origin` plus `offset`, where an offset from Begin counts as unsigned (as a stream's
  // absolute seek does). Returns the new position; none, with the position unchanged, when it
  // would lie before the start or past 2^64 - 1.
  std::optional<std::uint64_t> Seek(std::int64_t offset, Origin origin);

  // Bytes from the position to the end; 0 past the end.
  std::uint64_t Remaining() const { return position_ < size_ ? size_ - position_ : 0; }
  // The byte at the position; meaningful only while Remaining() is not 0.
  const std::uint8_t* Current() const { return data_ + position_; }
  // Moves forward by `count` bytes, which must not exceed Remaining().
  void Skip(std::uint64_t count) { position_ += count; }

  std::uint64_t position() const { return position_; }
  std::uint64_t size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

}  // namespace corvane
