#include "content/resource_responder.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ResourceAnswer, HeaderBlockJoinsLinesWithSingleLineFeeds) {
  ResourceAnswer answer;
  EXPECT_EQ(answer.HeaderBlock(), "");
  answer.headers = {"Cache-Control: no-store", "Content-Type: text/plain; charset=utf-8"};
  EXPECT_EQ(answer.HeaderBlock(), "Cache-Control: no-store\nContent-Type: text/plain; charset=utf-8");
}

}  // namespace
}  // namespace corvane
