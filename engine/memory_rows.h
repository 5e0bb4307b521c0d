// Rows and progress kept in memory: the sink and progress bar of the command
// line's address books, the identity export and the tests.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/progress_bar.h"
#include "engine/row_sink.h"

namespace tessel {

class MemoryRows final : public RowSink {
 public:
  void AddMessage(MessageRow& row) override { messages_.push_back(std::move(row)); }
  void AddContact(ContactRow& row) override { contacts_.push_back(std::move(row)); }

  const std::vector<MessageRow>& Messages() const { return messages_; }
  // In the file's order.
  const std::vector<ContactRow>& Contacts() const { return contacts_; }
  // Hand the rows over without copying them.
  std::vector<MessageRow> TakeMessages() { return std::exchange(messages_, {}); }
  std::vector<ContactRow> TakeContacts() { return std::exchange(contacts_, {}); }

 private:
  std::vector<MessageRow> messages_;
  std::vector<ContactRow> contacts_;
};

// Keeps the range and the latest position.
class MemoryProgressBar final : public ProgressBar {
 public:
  void SetRange(std::int64_t upper) override { range_ = upper; }
  void SetPosition(std::int64_t position) override { position_ = position; }

  std::int64_t Range() const { return range_; }
  std::int64_t Position() const { return position_; }

 private:
  std::int64_t range_ = 0;
  std::int64_t position_ = 0;
};

}  // namespace tessel
