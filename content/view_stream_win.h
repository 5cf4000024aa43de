#pragma once
// A read-only IStream over bytes already in memory (normally a mapped file's view), for answers
// handed to the web view without a copy.

#include <objidl.h>

#include <cstdint>
#include <memory>

#include "base/com_ref_win.h"

namespace corvane {

// A new stream at position 0 over `size` bytes at `data`. The stream and every clone hold
// `owner` until their last reference is released, so the bytes need only stay valid while
// `owner` lives; a null `owner` means the bytes outlive every stream (static data). Created in
// constant time without copying. Free-threaded: it aggregates the free-threaded marshaler and
// answers IAgileObject, so any thread may call it (calls are serialised inside) and release it.
// Null only when out of memory.
ComRef<IStream> CreateViewStream(const std::uint8_t* data, std::uint64_t size,
                                 std::shared_ptr<const void> owner);

}  // namespace corvane
