#include "webview/start_failure.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(StartFailureMessage, ShowsTheCodeInEightUpperCaseHexDigits) {
  EXPECT_EQ(StartFailureMessage(0x80070002u), "Failed to start the web view (error 0x80070002).");
  EXPECT_EQ(StartFailureMessage(0x8007139Fu), "Failed to start the web view (error 0x8007139F).");
  EXPECT_EQ(StartFailureMessage(0x1Au), "Failed to start the web view (error 0x0000001A).");
  EXPECT_EQ(StartFailureMessage(0xFFFFFFFFu), "Failed to start the web view (error 0xFFFFFFFF).");
}

}  // namespace
}  // namespace corvane
