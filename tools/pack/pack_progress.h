#pragma once
// Progress on stderr, only when stderr is a terminal: one line rewritten in place.

#include <chrono>
#include <cstdint>
#include <string>

namespace corvane::pack {

class Progress {
 public:
  Progress();
  ~Progress() { Finish(); }

  // Ends the line, if one was drawn, so that later output starts on a line of its own.
  void Finish();

  void Show(const std::string& stage, std::size_t filesDone, std::size_t filesTotal,
            std::uint64_t bytesDone, std::uint64_t bytesTotal);

 private:
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace corvane::pack
