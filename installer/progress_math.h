#pragma once
// Where the download's progress bar stands, from the byte counts the download service reports.

#include <cstdint>

namespace corvane {

// Bar position on a 0..100 scale: progress * 100 / progressMax in single precision, truncated
// toward zero. 0 while the total is unknown (progressMax 0). A service that reports more bytes
// than its total gives 100, the end of the bar's range, rather than an out-of-range conversion.
std::int32_t ProgressPosition(std::uint32_t progress, std::uint32_t progressMax);

}  // namespace corvane
