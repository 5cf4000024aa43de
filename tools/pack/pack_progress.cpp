#include "tools/pack/pack_progress.h"

#include <cstdio>

#include "tools/pack/pack_io.h"

namespace corvane::pack {

Progress::Progress() : enabled_(StderrIsTerminal()) {}

void Progress::Finish() {
  if (drawn_) std::fputs("\n", stderr);
  drawn_ = false;
}

void Progress::Show(const std::string& stage, std::size_t filesDone, std::size_t filesTotal,
                    std::uint64_t bytesDone, std::uint64_t bytesTotal) {
  if (!enabled_) return;
  // Redrawing for every small file would cost more than packing it.
  const auto now = std::chrono::steady_clock::now();
  const bool finished = filesDone == filesTotal && bytesDone == bytesTotal;
  if (drawn_ && !finished && now - lastDrawn_ < std::chrono::milliseconds(100)) return;
  lastDrawn_ = now;
  drawn_ = true;
  std::fprintf(stderr, "\r%s: %zu/%zu files, %llu/%llu bytes\x1b[K", stage.c_str(), filesDone,
               filesTotal, static_cast<unsigned long long>(bytesDone),
               static_cast<unsigned long long>(bytesTotal));
  std::fflush(stderr);
}

}  // namespace corvane::pack
