// Messages for the page across documents: never lost, never repeated, kept in order.

#include "chromium/page_outbox.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace corvane {
namespace {

class PageOutboxTest : public ::testing::Test {
 protected:
  // Sends every waiting message to `document`; returns their texts and remembers their ids.
  std::vector<std::string> SendTo(const std::string& document) {
    std::vector<std::string> texts;
    outbox.SendWaiting(document, [&](std::uint64_t id, const std::string& text) {
      ids[text] = id;
      texts.push_back(text);
    });
    return texts;
  }

  PageOutbox outbox;
  std::map<std::string, std::uint64_t> ids;
};

TEST_F(PageOutboxTest, MessagesNotTakenBeforeAReloadComeAgainInOrder) {
  for (const char* text : {"m1", "m2", "m3"}) outbox.Push(text);
  EXPECT_TRUE(SendTo("").empty());  // no document yet
  EXPECT_EQ(SendTo("A"), (std::vector<std::string>{"m1", "m2", "m3"}));
  EXPECT_TRUE(SendTo("A").empty());  // each goes out once
  outbox.Delivered(ids["m1"]);
  outbox.NotDelivered(ids["m2"]);  // the document went away before taking the rest
  outbox.Push("m4");
  // m3's answer from the old document is still out: nothing may overtake it.
  EXPECT_TRUE(SendTo("B").empty());
  outbox.NotDelivered(ids["m3"]);
  EXPECT_EQ(SendTo("B"), (std::vector<std::string>{"m2", "m3", "m4"}));
  for (const char* text : {"m2", "m3", "m4"}) outbox.Delivered(ids[text]);
  EXPECT_EQ(outbox.size(), 0u);
  outbox.Delivered(ids["m1"]);  // a late or repeated answer changes nothing
  EXPECT_EQ(outbox.size(), 0u);
}

TEST_F(PageOutboxTest, AMessageNeverTakenIsDroppedAfterItsLastAttempt) {
  outbox.Push("refused");
  outbox.Push("fine");
  for (int attempt = 1; attempt <= PageOutbox::kMaxAttempts; ++attempt) {
    const std::string document = "D" + std::to_string(attempt);
    ASSERT_FALSE(SendTo(document).empty());
    outbox.NotDelivered(ids["refused"]);
    if (attempt == 1) outbox.Delivered(ids["fine"]);
  }
  EXPECT_EQ(outbox.size(), 0u);
}

}  // namespace
}  // namespace corvane
