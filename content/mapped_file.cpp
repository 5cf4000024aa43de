#include "content/mapped_file.h"

namespace corvane {
namespace {

struct UnmapOnDestruction {
  MappedFile file;
  ~UnmapOnDestruction() { UnmapFile(file); }
};

}  // namespace

SharedMapping MapWholeFileShared(const std::string& path) {
  // The owner exists before the mapping, so nothing can fail between mapping and owning it.
  auto owner = std::make_shared<UnmapOnDestruction>();
  std::optional<MappedFile> mapped = MapWholeFile(path);
  if (!mapped) return nullptr;
  owner->file = *mapped;
  return SharedMapping(owner, &owner->file);
}

}  // namespace corvane
