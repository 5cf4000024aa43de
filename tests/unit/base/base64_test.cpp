#include "base/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::string Encode(std::string_view text) {
  return Base64Encode(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(Base64, PaddingForEveryRemainder) {
  EXPECT_EQ(Encode(""), "");
  EXPECT_EQ(Encode("f"), "Zg==");
  EXPECT_EQ(Encode("fo"), "Zm8=");
  EXPECT_EQ(Encode("foo"), "Zm9v");
  EXPECT_EQ(Encode("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Encode(std::string("\xff\xfe\x00", 3)), "//4A");
}

}  // namespace
}  // namespace corvane
