#include "chromium/page_outbox.h"

#include <algorithm>

namespace corvane {

void PageOutbox::Push(std::string text, std::string onlyFor) {
  entries_.push_back(Entry{nextId_++, std::move(text), {}, std::move(onlyFor), 0});
}

void PageOutbox::SendWaiting(const std::string& document, const Sender& send) {
  const bool elsewhere = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return !entry.sentTo.empty() && entry.sentTo != document;
  });
  if (elsewhere || document.empty()) return;
  std::erase_if(entries_, [&](const Entry& entry) {
    return !entry.onlyFor.empty() && entry.onlyFor != document;
  });
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    if (!entry->sentTo.empty()) {
      ++entry;
      continue;
    }
    entry->sentTo = document;
    ++entry->attempts;
    entry = send(entry->id, entry->text) ? std::next(entry) : entries_.erase(entry);
  }
}

std::vector<std::string> PageOutbox::TakeAll() {
  std::vector<std::string> texts;
  for (Entry& entry : entries_) {
    if (entry.onlyFor.empty()) texts.push_back(std::move(entry.text));
  }
  entries_.clear();
  return texts;
}

std::deque<PageOutbox::Entry>::iterator PageOutbox::Find(std::uint64_t id) {
  // Ids grow along the queue.
  const auto found =
      std::lower_bound(entries_.begin(), entries_.end(), id,
                       [](const Entry& entry, std::uint64_t key) { return entry.id < key; });
  return found != entries_.end() && found->id == id ? found : entries_.end();
}

void PageOutbox::Delivered(std::uint64_t id) {
  const auto found = Find(id);
  if (found != entries_.end()) entries_.erase(found);
}

bool PageOutbox::NotDelivered(std::uint64_t id) {
  const auto found = Find(id);
  if (found == entries_.end()) return false;
  // An answer for one document goes with that document; that is no loss.
  const bool givenUp = found->onlyFor.empty() && found->attempts >= kMaxAttempts;
  if (givenUp || !found->onlyFor.empty()) {
    entries_.erase(found);
  } else {
    found->sentTo.clear();
  }
  return givenUp;
}

}  // namespace corvane
