#pragma once
// Where the runtime installer fetches the WebView2 evergreen bootstrapper.

namespace corvane {

// Fixed when the program is built (the build's CORVANE_BOOTSTRAPPER_URL, by default the public
// evergreen bootstrapper address). This is the only definition in its object file so that a
// test-only executable can link its own loopback address in its place.
extern const wchar_t bootstrapperUrl[];

}  // namespace corvane
