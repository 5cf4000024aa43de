#include "chromium/devtools_framing.h"

#include <algorithm>

namespace corvane {

namespace {

// Messages at least this long leave the reader by moving its buffer instead of by a copy.
constexpr std::size_t kMoveOutSize = 1u << 20;

}  // namespace

void NulFramedReader::Append(std::string_view bytes) {
  // Drop what was handed out before growing, so the buffer holds at most one partial message
  // plus whatever complete ones are waiting.
  if (consumed_ > 0 && consumed_ * 2 >= buffer_.size()) {
    buffer_.erase(0, consumed_);
    partialStart_ -= consumed_;
    consumed_ = 0;
  }
  while (!bytes.empty()) {
    const std::size_t nul = bytes.find('\0');
    const std::size_t pieceSize = nul == std::string_view::npos ? bytes.size() : nul + 1;
    const std::size_t textSize = nul == std::string_view::npos ? pieceSize : nul;
    const std::size_t partialSize = buffer_.size() - partialStart_ + textSize;
    if (skipping_ || partialSize > maxMessageSize_) {
      // Checked before appending, so an oversized message never grows the buffer past the limit.
      if (!skipping_) {
        std::string head = buffer_.substr(partialStart_, keptHeadSize_);
        head.append(bytes.substr(0, std::min(textSize, keptHeadSize_ - head.size())));
        droppedHeads_.push_back(std::move(head));
        buffer_.resize(partialStart_);
        if (buffer_.capacity() > 2 * buffer_.size() + kMoveOutSize) buffer_.shrink_to_fit();
      }
      skipping_ = nul == std::string_view::npos;
    } else {
      buffer_.append(bytes.substr(0, pieceSize));
      if (nul != std::string_view::npos) partialStart_ = buffer_.size();
    }
    bytes.remove_prefix(pieceSize);
  }
}

std::optional<std::string> NulFramedReader::Next() {
  if (consumed_ >= partialStart_) return std::nullopt;
  const std::size_t nul = buffer_.find('\0', consumed_);
  std::string message;
  if (nul - consumed_ >= kMoveOutSize) {
    std::string rest = buffer_.substr(nul + 1);
    message = std::move(buffer_);
    message.resize(nul);
    message.erase(0, consumed_);
    buffer_ = std::move(rest);
    partialStart_ -= nul + 1;
    consumed_ = 0;
    return message;
  }
  message = buffer_.substr(consumed_, nul - consumed_);
  consumed_ = nul + 1;
  if (consumed_ == buffer_.size()) {
    buffer_.clear();
    consumed_ = 0;
    partialStart_ = 0;
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
