#include "content/resource_responder.h"

namespace corvane {

std::string ResourceAnswer::HeaderBlock() const {
  std::string block;
  for (const std::string& line : headers) {
    if (!block.empty()) block += '\n';
    block += line;
  }
  return block;
}

void ResourceAnswer::FailWithoutBody() {
  status = 500;
  reason = "Internal Server Error";
  body = BodyKind::None;
  data = nullptr;
  size = 0;
  dataOwner.reset();
  filePath.clear();
  std::erase_if(headers, [](const std::string& line) {
    return line.starts_with("Content-Length:") || line.starts_with("Content-Range:");
  });
}

}  // namespace corvane
