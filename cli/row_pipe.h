// Rows handed to a second thread, which does the costly work on each one
// (reading its header block again for people, writing it out) while the scan
// goes on finding the next: the two overlap as the scan's reading and
// searching do. The handler gets the rows in order, on that thread only.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "engine/message_row.h"

namespace tessel::cli {

class RowPipe {
 public:
  // As a scan's row handler: false when it wants no more rows.
  using Handler = std::function<bool(long long number, const MessageRow& row)>;

  explicit RowPipe(Handler onRow);
  ~RowPipe() { Finish(); }
  RowPipe(const RowPipe&) = delete;
  RowPipe& operator=(const RowPipe&) = delete;

  // On the scan's thread: keeps a copy of the row for the handler. Waits
  // while the handler is several batches behind, so that memory stays bounded.
  // False once the handler has wanted no more.
  bool Add(long long number, const MessageRow& row);
  // Hands on the rows kept here and returns once the handler has had them all.
  void Finish();

 private:
  using Batch = std::vector<std::pair<long long, MessageRow>>;

  void HandOver();
  void Run();

  Handler onRow_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch> full_;    // batches for the handler, in order
  std::vector<Batch> spare_;  // batches handled, their rows' storage reused
  Batch filling_;
  std::size_t filled_ = 0;  // rows of `filling_` in use
  bool finishing_ = false;
  std::atomic<bool> wantsMore_{true};
  std::thread thread_;
};

}  // namespace tessel::cli
