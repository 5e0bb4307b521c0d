#include "recovery/row_batch.h"

#include <algorithm>
#include <utility>

namespace tessel::recovery {

RowBatch::RowBatch(BatchSink& sink, std::size_t largestBatch, std::chrono::milliseconds interval)
    : sink_(sink),
      largestBatch_(std::max<std::size_t>(largestBatch, 1)),
      interval_(interval),
      lastHandOver_(std::chrono::steady_clock::now()) {}

bool RowBatch::Due(std::size_t pending) const {
  return pending >= largestBatch_ || (pending > 0 && std::chrono::steady_clock::now() - lastHandOver_ >= interval_);
}

void RowBatch::AddMessage(MessageRow& row) {
  if (Due(messages_.size())) HandOverMessages();
  // The scan gets a spare row's storage back to fill for the next message.
  if (spare_.empty()) {
    messages_.push_back(std::move(row));
  } else {
    std::swap(spare_.back(), row);
    messages_.push_back(std::move(spare_.back()));
    spare_.pop_back();
  }
}

void RowBatch::AddContact(ContactRow& row) {
  if (Due(contacts_.size())) HandOverContacts();
  contacts_.push_back(std::move(row));
}

void RowBatch::HandOverMessages() {
  if (messages_.empty()) return;
  handing_.clear();
  handing_.swap(messages_);
  sink_.AddMessages(handing_);
  lastHandOver_ = std::chrono::steady_clock::now();
  // A sink that printed the rows left them whole: their memory serves the next ones.
  for (MessageRow& row : handing_)
    if (spare_.size() < largestBatch_ && row.cells.TextSize() > 0) spare_.push_back(std::move(row));
  handing_.clear();
}

void RowBatch::HandOverContacts() {
  if (contacts_.empty()) return;
  sink_.AddContacts(contacts_);
  contacts_.clear();
  lastHandOver_ = std::chrono::steady_clock::now();
}

void RowBatch::Flush() {
  HandOverMessages();
  HandOverContacts();
}

}  // namespace tessel::recovery
