#include "cli/record_copy.h"

#include <cstring>

namespace tessel::cli {

RecordCopy CopyRowRecord(ByteReader& store, const Row& cells, const ChunkSink& sink) {
  RecordCopy copy;
  copy.offset = ParseDecimalCell(cells[kOffsetCell]);
  copy.length = ParseDecimalCell(cells[kLengthCell]);
  const std::int64_t copied = CopyRecord(store, copy.offset, copy.length, [&](const char* bytes, std::size_t count) {
    if (!sink(bytes, count)) return false;
    copy.copied += static_cast<std::int64_t>(count);
    return true;
  });
  copy.refused = copied < 0;
  if (copy.Short()) copy.readError = store.LastError();
  return copy;
}

std::string ShortRecordNote(long long number, const RecordCopy& copy, std::int64_t storeSize) {
  if (!copy.Short()) return {};
  const std::string wrote = "; wrote " + std::to_string(copy.copied) + " of " + std::to_string(copy.length) + " bytes";
  const std::string row = "row " + std::to_string(number) + ": ";
  if (copy.readError != 0) {
    return row + "cannot read the store at byte " + std::to_string(copy.offset + copy.copied) + " (" +
           std::strerror(copy.readError) + ")" + wrote;
  }
  if (storeSize <= copy.offset) return row + "the store ends before this message" + wrote;
  return row + "the store ends " + std::to_string(storeSize - copy.offset) + " bytes into this message" + wrote;
}

}  // namespace tessel::cli
