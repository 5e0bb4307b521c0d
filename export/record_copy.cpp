#include "export/record_copy.h"

#include <cstring>

#include "export/output_file.h"

namespace tessel::exporting {

RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, const ChunkSink& sink) {
  RecordCopy copy;
  copy.offset = record.offset;
  copy.length = record.length;
  const std::int64_t passed =
      CopyRecord(store, record.offset, record.length, [&](const char* bytes, std::size_t count) {
        if (!sink(bytes, count)) return false;
        copy.copied += static_cast<std::int64_t>(count);
        return true;
      });
  if (passed < 0) {
    copy.end = RecordCopy::End::kRefused;
  } else if (copy.copied < copy.length) {
    // Inside the store only a failed read stops the copy; the reader's error
    // may be an older read's, so it counts only there.
    const bool insideStore = copy.offset >= 0 && copy.offset + copy.copied < store.Size();
    copy.readError = insideStore ? store.LastError() : 0;
    copy.end = copy.readError != 0 ? RecordCopy::End::kReadError : RecordCopy::End::kStoreEnds;
  }
  return copy;
}

RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, OutputFile& file) {
  return CopyMessageRecord(store, record, [&](const char* bytes, std::size_t count) {
    return file.Write({bytes, count});
  });
}

std::string ShortRecordNote(long long number, const RecordCopy& copy, std::int64_t storeSize) {
  if (!copy.CutShort()) return {};
  const std::string wrote = "; wrote " + std::to_string(copy.copied) + " of " + std::to_string(copy.length) + " bytes";
  const std::string row = "row " + std::to_string(number) + ": ";
  if (copy.end == RecordCopy::End::kReadError) {
    return row + "cannot read the store at byte " + std::to_string(copy.offset + copy.copied) + " (" +
           std::strerror(copy.readError) + ")" + wrote;
  }
  if (storeSize <= copy.offset) return row + "the store ends before this message" + wrote;
  return row + "the store ends " + std::to_string(storeSize - copy.offset) + " bytes into this message" + wrote;
}

}  // namespace tessel::exporting
