#include "chromium/page_outbox.h"

#include <algorithm>

namespace corvane {

void PageOutbox::Push(std::string text, std::string onlyFor) {
  if (!onlyFor.empty()) ++onlyForCount_;
  entries_.push_back(Entry{nextId_++, std::move(text), std::move(onlyFor)});
}

void PageOutbox::SendWaiting(const std::string& document, const Sender& send) {
  if (document.empty() || (sentCount_ > 0 && sentTo_ != document)) return;
  sentTo_ = document;
  if (onlyForCount_ > 0) {
    // None of these was sent: an answer only ever goes to its own document.
    std::erase_if(entries_, [&](const Entry& entry) {
      const bool elsewhere = !entry.onlyFor.empty() && entry.onlyFor != document;
      if (elsewhere) --onlyForCount_;
      return elsewhere;
    });
  }
  for (auto entry = Find(firstUnsent_, /*exact=*/false); entry != entries_.end();) {
    if (entry->sent) {
      ++entry;
      continue;
    }
    entry->sent = true;
    ++entry->attempts;
    ++sentCount_;
    entry = send(entry->id, entry->text) ? std::next(entry) : Erase(entry);
  }
  firstUnsent_ = nextId_;
}

std::vector<std::string> PageOutbox::TakeAll() {
  std::vector<std::string> texts;
  for (Entry& entry : entries_) {
    if (entry.onlyFor.empty()) texts.push_back(std::move(entry.text));
  }
  entries_.clear();
  sentCount_ = onlyForCount_ = 0;
  firstUnsent_ = nextId_;
  return texts;
}

std::deque<PageOutbox::Entry>::iterator PageOutbox::Find(std::uint64_t id, bool exact) {
  // Ids grow along the queue.
  const auto found =
      std::lower_bound(entries_.begin(), entries_.end(), id,
                       [](const Entry& entry, std::uint64_t key) { return entry.id < key; });
  return !exact || (found != entries_.end() && found->id == id) ? found : entries_.end();
}

std::deque<PageOutbox::Entry>::iterator PageOutbox::Erase(std::deque<Entry>::iterator entry) {
  if (entry->sent) --sentCount_;
  if (!entry->onlyFor.empty()) --onlyForCount_;
  return entries_.erase(entry);
}

void PageOutbox::Delivered(std::uint64_t id) {
  const auto found = Find(id);
  if (found != entries_.end() && found->sent) Erase(found);
}

bool PageOutbox::NotDelivered(std::uint64_t id) {
  const auto found = Find(id);
  if (found == entries_.end() || !found->sent) return false;
  // An answer for one document goes with that document; that is no loss.
  const bool givenUp = found->onlyFor.empty() && found->attempts >= kMaxAttempts;
  if (givenUp || !found->onlyFor.empty()) {
    Erase(found);
  } else {
    found->sent = false;
    --sentCount_;
    firstUnsent_ = std::min(firstUnsent_, id);
  }
  return givenUp;
}

}  // namespace corvane
