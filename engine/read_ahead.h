// One read at a time on a helper thread, so that the next block of a file is
// copied in while the current one is searched. The owner may read the same
// reader meanwhile (only readers that allow reading ahead are read here), but
// never touches the buffer being filled until Wait() has returned.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>

#include "engine/source_file.h"

namespace tessel {

class ReadAhead {
 public:
  explicit ReadAhead(ByteReader& reader) : reader_(reader) {}
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Starts reading `count` bytes at `offset` into `buffer`; a read still in
  // flight is waited for first. With `marks`, the bytes read that equal
  // `marked` are noted there too (MarkBytes), while they are at hand.
  void Start(std::int64_t offset, char* buffer, std::size_t count, std::uint64_t* marks = nullptr, char marked = 0);

  struct Read {
    bool started = false;  // false when no read was started since the last Wait
    std::int64_t offset = 0;
    std::size_t count = 0;  // bytes asked for
    std::size_t got = 0;    // bytes read
  };
  // Waits for the read in flight and hands it over; a second call returns
  // started == false.
  Read Wait();

 private:
  void Run();

  ByteReader& reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool busy_ = false;     // a read is asked for or running
  bool started_ = false;  // a read was started and not yet handed over
  bool quit_ = false;
  char* buffer_ = nullptr;
  std::uint64_t* marks_ = nullptr;
  char marked_ = 0;
  Read read_;
  std::thread thread_;         // started with the first read
  bool threadFailed_ = false;  // no thread could be started: reads run in Start
};

}  // namespace tessel
