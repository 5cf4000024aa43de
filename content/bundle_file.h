#pragma once
// The app's asset bundle as start-up opens it: the file mapped for the whole run, its directory
// parsed.

#include <string>

#include "content/asset_bundle.h"
#include "content/mapped_file.h"

namespace corvane {

// Maps and parses the bundle at `path` when that file exists. False for a file that is there but
// cannot be mapped or parsed: the caller reports it, and the app runs with whatever `bundle` holds
// (nothing, or the entries read before the damage).
bool OpenBundleFile(const std::string& path, AssetBundle& bundle, SharedMapping& mapping);

}  // namespace corvane
