#include "chromium/devtools_framing.h"

namespace corvane {

bool NulFramedReader::Append(std::string_view bytes) {
  if (overflowed_) return false;
  // Drop what was handed out before growing, so the buffer holds at most one partial message
  // plus whatever complete ones are waiting.
  if (consumed_ > 0 && consumed_ * 2 >= buffer_.size()) {
    buffer_.erase(0, consumed_);
    consumed_ = 0;
  }
  buffer_.append(bytes);
  const std::size_t nul = buffer_.find('\0', consumed_ + scanned_);
  if (nul != std::string::npos) return true;
  scanned_ = buffer_.size() - consumed_;
  if (scanned_ > maxMessageSize_) overflowed_ = true;
  return !overflowed_;
}

std::optional<std::string> NulFramedReader::Next() {
  if (overflowed_) return std::nullopt;
  const std::size_t nul = buffer_.find('\0', consumed_ + scanned_);
  if (nul == std::string::npos) {
    scanned_ = buffer_.size() - consumed_;
    return std::nullopt;
  }
  std::string message = buffer_.substr(consumed_, nul - consumed_);
  consumed_ = nul + 1;
  scanned_ = 0;
  if (consumed_ == buffer_.size()) {
    buffer_.clear();
    consumed_ = 0;
  }
  return message;
}

std::string FrameMessage(std::string_view json) {
  std::string framed;
  framed.reserve(json.size() + 1);
  framed.append(json);
  framed.push_back('\0');
  return framed;
}

}  // namespace corvane
