#include "content/bundle_file.h"

#include "base/file_helpers.h"

namespace corvane {

bool OpenBundleFile(const std::string& path, AssetBundle& bundle, SharedMapping& mapping) {
  if (!FileExists(path)) return true;
  mapping = MapWholeFileShared(path);
  if (!mapping) return false;
  try {
    bundle = AssetBundle::OverMemory(mapping->view, mapping->length);
    bundle.Parse();
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace corvane
