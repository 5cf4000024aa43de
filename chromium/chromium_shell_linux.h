#pragma once
// Runs the app in the system's Chromium until its window closes.

#include <string>

#include "base/app_config.h"
#include "bridge/extension_manager.h"
#include "chromium/chromium_host.h"
#include "chromium/cross_thread_inbox_linux.h"
#include "content/resource_responder.h"

namespace corvane {

struct ChromiumShellOptions {
  std::string chromium;  // the browser's executable, found by PrepareChromiumShell
  bool headless = false;
  // Messages the extension library posted on other threads, posted again on the shell's thread.
  // May be null.
  CrossThreadInbox* inbox = nullptr;
};

// Finds Chromium on PATH and makes the app's data folder: what has to be there before the
// extension library is loaded, as a missing runtime ends the Windows shell's start-up before it.
// False with a message on stderr when either fails.
bool PrepareChromiumShell(const ChromiumHostFolders& folders, ChromiumShellOptions& options);

// Starts Chromium (once PrepareChromiumShell succeeded), serves the app and returns the process
// exit code: 0 when the app's window was closed, 1 with a message on stderr when Chromium could
// not be started, or when it died or its page crashed more often than the recovery policy allows
// (until then the page is reloaded, or Chromium started again with the window where it was), and
// 128 plus the signal's number when a stop signal ended the run.
int RunChromiumShell(const AppConfig& config, ResourceResponder* responder,
                     ExtensionManager* extensions, const ChromiumHostFolders& folders,
                     const ChromiumShellOptions& options);

}  // namespace corvane
