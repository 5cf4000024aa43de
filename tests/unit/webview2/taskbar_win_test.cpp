#include "webview2/taskbar_win.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The IDs are written out by hand; a typo would only show as a missing fullscreen hint.
TEST(Taskbar, IdsAgreeWithTheSystemHeaders) {
  EXPECT_TRUE(IsEqualGUID(kTaskbarListClassId, CLSID_TaskbarList));
  EXPECT_TRUE(IsEqualGUID(kTaskbarList2InterfaceId, IID_ITaskbarList2));
}

}  // namespace
}  // namespace corvane
