#include "cli/row_pipe.h"

namespace tessel::cli {
namespace {

// Rows handed over at a time: few enough that the handler starts early, many
// enough that the threads seldom meet.
constexpr std::size_t kBatchRows = 256;
// Batches waiting for the handler before the scan waits for it.
constexpr std::size_t kWaitingBatches = 8;

}  // namespace

RowPipe::RowPipe(Handler onRow) : onRow_(std::move(onRow)), thread_([this] { Run(); }) {}

bool RowPipe::Add(long long number, const MessageRow& row) {
  if (!wantsMore_.load()) return false;
  if (filled_ == filling_.size()) filling_.emplace_back();
  // Assigned, not constructed: a reused row keeps its strings' storage.
  filling_[filled_].first = number;
  filling_[filled_].second = row;
  if (++filled_ == kBatchRows) HandOver();
  return wantsMore_.load();
}

void RowPipe::HandOver() {
  filling_.resize(filled_);
  filled_ = 0;
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return full_.size() < kWaitingBatches || !wantsMore_.load(); });
    full_.push_back(std::move(filling_));
    filling_.clear();
    if (!spare_.empty()) {
      filling_ = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  changed_.notify_all();
}

void RowPipe::Finish() {
  if (!thread_.joinable()) return;
  if (filled_ > 0) HandOver();
  {
    const std::lock_guard lock(mutex_);
    finishing_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void RowPipe::Run() {
  for (;;) {
    Batch batch;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !full_.empty() || finishing_; });
      if (full_.empty()) return;
      batch = std::move(full_.front());
      full_.pop_front();
    }
    changed_.notify_all();
    for (const auto& [number, row] : batch) {
      if (!wantsMore_.load()) break;
      if (!onRow_(number, row)) wantsMore_.store(false);
    }
    {
      const std::lock_guard lock(mutex_);
      spare_.push_back(std::move(batch));
    }
    // A scan waiting for room goes on, or learns that no more rows are wanted.
    changed_.notify_all();
  }
}

}  // namespace tessel::cli
