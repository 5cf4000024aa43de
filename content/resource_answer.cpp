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

}  // namespace corvane
