#include "webview2/start_failure.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(StartFailureMessages, ShowTheCodeInEightUpperCaseHexDigits) {
  EXPECT_EQ(StartPageFailureMessage(0x80070005u),
            "Failed to open the app's start page (error 0x80070005).");
  EXPECT_EQ(StartPageFailureMessage(0xabcu),
            "Failed to open the app's start page (error 0x00000ABC).");
  EXPECT_EQ(StartFailureMessage(0x8007000Eu), "Failed to start the web view (error 0x8007000E).");
}

}  // namespace
}  // namespace corvane
