#include "installer/install_runtime_win.h"

namespace corvane {

// Placeholder until the download and install land: returning at once makes the caller's second
// runtime query fail, so the user sees the failure box.
void InstallRuntime(HINSTANCE, const std::string&, const AppConfig&) {}

}  // namespace corvane
