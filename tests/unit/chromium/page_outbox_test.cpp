// Messages for the page across documents: never lost, never repeated, kept in order.

#include "chromium/page_outbox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PageOutboxTest : public ::testing::Test {
 protected:
  // Sends every waiting message to `document`; returns their texts and remembers their ids.
  std::vector<std::string> sendTo(const std::string& document) {
    std::vector<std::string> texts;
    outbox.SendWaiting(document, [&](std::uint64_t id, const std::string& text) {
      ids[text] = id;
      texts.push_back(text);
      return true;
    });
    return texts;
  }

  PageOutbox outbox;
  std::map<std::string, std::uint64_t> ids;
};

TEST_F(PageOutboxTest, MessagesNotTakenComeAgainInOrderUntilTheirLastAttempt) {
  for (const char* text : {"m1", "m2", "m3"}) outbox.Push(text);
  EXPECT_THAT(sendTo(""), IsEmpty());  // no document yet
  EXPECT_THAT(sendTo("A"), ElementsAre("m1", "m2", "m3"));
  EXPECT_THAT(sendTo("A"), IsEmpty());  // each goes out once
  outbox.Delivered(ids["m1"]);
  outbox.NotDelivered(ids["m2"]);  // the document went away before taking the rest
  outbox.Push("m4");
  // m3's answer from the old document is still out: nothing may overtake it.
  EXPECT_THAT(sendTo("B"), IsEmpty());
  outbox.NotDelivered(ids["m3"]);
  EXPECT_THAT(sendTo("B"), ElementsAre("m2", "m3", "m4"));
  for (const char* text : {"m3", "m4"}) outbox.Delivered(ids[text]);
  outbox.Delivered(ids["m1"]);  // a late or repeated answer changes nothing
  EXPECT_EQ(outbox.size(), 1u);
  // m2, never taken (its attempts so far: A and B), is dropped after its last one.
  for (int attempt = 3; attempt <= PageOutbox::kMaxAttempts; ++attempt) {
    EXPECT_FALSE(outbox.NotDelivered(ids["m2"]));
    EXPECT_THAT(sendTo("D" + std::to_string(attempt)), ElementsAre("m2"));
  }
  EXPECT_TRUE(outbox.NotDelivered(ids["m2"])) << "given up, which the caller reports";
  EXPECT_EQ(outbox.size(), 0u);
}

TEST_F(PageOutboxTest, AnAnswerGoesOnlyToTheDocumentThatAsked) {
  outbox.Push("reply A", "A");
  outbox.Push("m1");
  EXPECT_THAT(sendTo("A"), ElementsAre("reply A", "m1"));
  for (const char* text : {"reply A", "m1"})
    EXPECT_FALSE(outbox.NotDelivered(ids[text]));  // A gone
  outbox.Push("reply B", "B");
  outbox.Push("late reply A", "A");  // A's question answered once B was shown
  EXPECT_THAT(sendTo("B"), ElementsAre("m1", "reply B"));
  EXPECT_THAT(outbox.TakeAll(), ElementsAre("m1"));  // B's answer does not outlive B either
  outbox.Push("m2");
  EXPECT_THAT(sendTo("C"), ElementsAre("m2"));  // emptied, the outbox serves any document
  outbox.Delivered(ids["m2"]);
  outbox.Push("late reply C", "C");
  EXPECT_THAT(sendTo("D"), IsEmpty());  // the only answer waiting, and not D's
}

}  // namespace
}  // namespace corvane
