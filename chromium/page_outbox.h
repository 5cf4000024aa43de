#pragma once
// Messages on their way to the page. Each one is handed to one document at a time and stays
// here until that document has taken it; when the document went away first, the message goes back
// to its place in the queue for the next document, so a reload neither loses nor repeats it.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class PageOutbox {
 public:
  // False when the message can never be sent (too long for the browser): it is dropped.
  using Sender = std::function<bool(std::uint64_t id, const std::string& text)>;

  // Queues `text` behind every message not yet taken. A message `onlyFor` one document (an
  // answer to what that document asked) goes to no other: it is dropped once another document is
  // current or that one went away without taking it.
  void Push(std::string text, std::string onlyFor = {});

  // Hands every waiting message, in order, to `send` for `document` and marks it as sent there.
  // Nothing is handed out while a message sent to another document is unanswered: its answer
  // decides whether it has to come again, ahead of the later ones.
  void SendWaiting(const std::string& document, const Sender& send);

  // The answer for message `id`: taken, or not taken because its document went away. A message
  // not taken `kMaxAttempts` times is dropped, so one the browser always refuses cannot hold up
  // the rest for ever: NotDelivered then returns true.
  void Delivered(std::uint64_t id);
  bool NotDelivered(std::uint64_t id);

  // Empties the queue: every message not yet taken and meant for any document, in order,
  // wherever it was sent.
  std::vector<std::string> TakeAll();

  std::size_t size() const { return entries_.size(); }

  static constexpr int kMaxAttempts = 3;

 private:
  struct Entry {
    std::uint64_t id;
    std::string text;
    std::string onlyFor;  // the one document it is meant for, empty for any
    bool sent = false;    // waiting on `sentTo_`
    int attempts = 0;
  };
  // The entry of `id`, or with `exact` false the first one from `id` on; end() when none.
  std::deque<Entry>::iterator Find(std::uint64_t id, bool exact = true);
  std::deque<Entry>::iterator Erase(std::deque<Entry>::iterator entry);

  std::deque<Entry> entries_;
  std::uint64_t nextId_ = 1;
  // Counts that spare each call a walk of the whole queue, which would make a burst of messages
  // cost the square of its length. Every sent entry waits on one document, since nothing is sent
  // while another one's answers are out; every entry before `firstUnsent_` has been sent.
  std::string sentTo_;
  std::size_t sentCount_ = 0;
  std::size_t onlyForCount_ = 0;
  std::uint64_t firstUnsent_ = 1;
};

}  // namespace corvane
