// Rows on their way from a scan to a front end that shows or prints them.
// RowBatch hands them over in batches, one call per batch instead of one per
// row, which matters where each call crosses threads (the wizard's list) or
// ends in a write (tessel).
#pragma once

#include <chrono>
#include <cstddef>
#include <vector>

#include "engine/row_sink.h"

namespace tessel::recovery {

// What a front end does with a batch of rows. It may move the rows out; rows
// it leaves whole serve the next ones, so that a scan does not allocate for
// every row.
class BatchSink {
 public:
  virtual ~BatchSink() = default;
  // Messages that go after every one handed over before, in order.
  virtual void AddMessages(std::vector<MessageRow>& rows) = 0;
  // Contacts in the file's order, after those handed over before.
  virtual void AddContacts(std::vector<ContactRow>& rows) = 0;
};

class RowBatch final : public RowSink {
 public:
  // Rows are handed over once `largestBatch` of them gather or `interval` has
  // passed since the last hand-over, whichever comes first.
  explicit RowBatch(BatchSink& sink, std::size_t largestBatch = 8192,
                    std::chrono::milliseconds interval = std::chrono::milliseconds(40));
  ~RowBatch() override { Flush(); }
  RowBatch(const RowBatch&) = delete;
  RowBatch& operator=(const RowBatch&) = delete;

  void AddMessage(MessageRow& row) override;
  void AddContact(ContactRow& row) override;

  // Hands every row kept here over: call once the scan has returned (the
  // destructor does).
  void Flush();

 private:
  bool Due(std::size_t pending) const;
  void HandOverMessages();
  void HandOverContacts();

  BatchSink& sink_;
  std::size_t largestBatch_;
  std::chrono::milliseconds interval_;
  std::chrono::steady_clock::time_point lastHandOver_;
  std::vector<MessageRow> messages_;  // rows not yet handed over
  std::vector<MessageRow> handing_;   // the rows being handed over
  std::vector<MessageRow> spare_;     // rows the sink left whole, their storage reused
  std::vector<ContactRow> contacts_;
};

}  // namespace tessel::recovery
