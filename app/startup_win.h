#pragma once
// The shell's life on its one UI thread: start-up in a fixed order, the message loop, and the
// teardown. Every start-up failure is a message box and exit code 1.

#include <windows.h>

namespace corvane {

// Runs the shell and returns the process exit code.
int RunShell(HINSTANCE instance);

}  // namespace corvane
