#include "content/view_cursor.h"

#include <cstring>
#include <limits>

namespace corvane {

std::size_t ViewCursor::Read(void* out, std::size_t count) {
  const std::uint64_t available = Remaining();
  const std::size_t taken = count < available ? count : std::size_t(available);
  if (taken == 0) return 0;
  std::memcpy(out, Current(), taken);
  position_ += taken;
  return taken;
}

std::optional<std::uint64_t> ViewCursor::Seek(std::int64_t offset, Origin origin) {
  if (origin == Origin::Begin) {
    position_ = std::uint64_t(offset);
    return position_;
  }
  const std::uint64_t base = origin == Origin::Current ? position_ : size_;
  // Unsigned arithmetic with explicit bounds: base + offset must stay within 0 .. 2^64 - 1.
  const std::uint64_t magnitude =
      offset < 0 ? std::uint64_t(-(offset + 1)) + 1 : std::uint64_t(offset);
  if (offset < 0) {
    if (magnitude > base) return std::nullopt;
    position_ = base - magnitude;
  } else {
    if (magnitude > std::numeric_limits<std::uint64_t>::max() - base) return std::nullopt;
    position_ = base + magnitude;
  }
  return position_;
}

}  // namespace corvane
