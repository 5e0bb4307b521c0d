#include "engine/read_ahead.h"

#include <system_error>

#include "engine/byte_search.h"

namespace tessel {

ReadAhead::~ReadAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void ReadAhead::Start(std::int64_t offset, char* buffer, std::size_t count, std::uint64_t* marks, char marked) {
  Wait();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    buffer_ = buffer;
    marks_ = marks;
    marked_ = marked;
    read_ = Read{true, offset, count, 0};
    busy_ = true;
    started_ = true;
  }
  if (!thread_.joinable() && !threadFailed_) {
    try {
      thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
      threadFailed_ = true;  // no thread to be had: read here, as if waited for
    }
  }
  if (threadFailed_) {
    const std::size_t got = reader_.ReadAt(offset, buffer, count);
    if (marks != nullptr) MarkBytes(buffer, got, marked, marks);
    std::lock_guard<std::mutex> lock(mutex_);
    read_.got = got;
    busy_ = false;
    return;
  }
  changed_.notify_all();
}

ReadAhead::Read ReadAhead::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (!started_) return Read{};
  started_ = false;
  return read_;
}

void ReadAhead::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || quit_; });
    if (busy_) {
      const Read asked = read_;
      char* const buffer = buffer_;
      std::uint64_t* const marks = marks_;
      const char marked = marked_;
      lock.unlock();
      const std::size_t got = reader_.ReadAt(asked.offset, buffer, asked.count);
      if (marks != nullptr) MarkBytes(buffer, got, marked, marks);
      lock.lock();
      read_.got = got;
      busy_ = false;
      changed_.notify_all();
      continue;
    }
    if (quit_) return;
  }
}

}  // namespace tessel
