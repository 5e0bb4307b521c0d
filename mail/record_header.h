// The header blocks of a store's message records, read through the store's
// reader up to each one's empty line (at most kMaxHeaderBlock bytes, never
// past the record), for the readable cells. Scans hand rows on in store
// order, so the store is read ahead in large windows: a row's header is
// usually there already, and costs no read of its own.
#pragma once

#include <string>
#include <string_view>

#include "engine/message_row.h"
#include "engine/source_file.h"

namespace tessel::mail {

class RecordHeaders {
 public:
  explicit RecordHeaders(ByteReader& store) : store_(store) {}

  // The record's header block, valid until the next call.
  std::string_view Read(const MessageRecord& record);

 private:
  // Bytes [offset, offset + count) of the store, from the window or read
  // into it; fewer at the store's end.
  std::string_view Bytes(std::int64_t offset, std::size_t count);

  ByteReader& store_;
  std::string window_;
  std::size_t windowLength_ = 0;  // bytes of window_ read
  std::int64_t windowStart_ = -1;
  bool windowAtEnd_ = false;  // the window runs to the store's end
};

}  // namespace tessel::mail
