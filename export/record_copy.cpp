#include "export/record_copy.h"

#include <cstring>

#include "export/output_file.h"

namespace tessel::exporting {
namespace {

std::string Bytes(std::int64_t begin, std::int64_t end) {
  return std::to_string(begin) + "-" + std::to_string(end - 1);
}

std::string UnreadableNote(const RecordCopy& copy) {
  std::string ranges;
  for (const UnreadableRange& range : copy.unreadable)
    ranges += (ranges.empty() ? "" : ", ") + Bytes(range.begin, range.end);
  // One bad stretch of disk fails alike: the first cause stands for all.
  const int cause = copy.unreadable.front().errorCode;
  return "cannot read bytes " + ranges + " of the store" +
         (cause != 0 ? std::string(" (") + std::strerror(cause) + ")" : std::string()) +
         "; they are NUL bytes in the copy";
}

}  // namespace

RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, const ChunkSink& sink) {
  RecordCopy copy;
  copy.offset = record.offset;
  copy.length = record.length;
  copy.storeSize = store.Size();
  // A reader of its own, so that the ranges it notes are this record's.
  SkippingReader reader(store);
  const std::int64_t passed =
      CopyRecord(reader, record.offset, record.length, [&](const char* bytes, std::size_t count) {
        if (!sink(bytes, count)) return false;
        copy.copied += static_cast<std::int64_t>(count);
        return true;
      });
  copy.unreadable = reader.Unreadable();
  if (passed < 0) {
    copy.end = RecordCopy::End::kRefused;
  } else if (copy.copied < copy.length) {
    // Only reads that reached the size measured at opening found the store's end.
    const std::int64_t stopped = copy.offset + copy.copied;
    const bool reachedEnd = copy.offset < 0 || stopped >= copy.storeSize;
    copy.end = reachedEnd ? RecordCopy::End::kStoreEnds : RecordCopy::End::kEndedEarly;
  }
  return copy;
}

RecordCopy CopyMessageRecord(ByteReader& store, const MessageRecord& record, OutputFile& file) {
  return CopyMessageRecord(store, record, [&](const char* bytes, std::size_t count) {
    return file.Write({bytes, count});
  });
}

std::string RecordCopyNote(const std::string& what, const RecordCopy& copy) {
  if (copy.Whole() || copy.end == RecordCopy::End::kRefused) return {};
  std::string note = what + ": ";
  if (!copy.unreadable.empty()) note += UnreadableNote(copy);
  if (copy.end == RecordCopy::End::kComplete) return note;
  if (!copy.unreadable.empty()) note += "; ";
  if (copy.end == RecordCopy::End::kEndedEarly) {
    note += "the store gave no more bytes at byte " + std::to_string(copy.offset + copy.copied) +
            ", before its end at " + std::to_string(copy.storeSize) +
            " when it was opened (it shrank meanwhile, or a read failed)";
  } else if (copy.storeSize <= copy.offset || copy.offset < 0) {
    note += "the store ends before this message";
  } else {
    note += "the store ends " + std::to_string(copy.storeSize - copy.offset) + " bytes into this message";
  }
  return note + "; wrote " + std::to_string(copy.copied) + " of " + std::to_string(copy.length) + " bytes";
}

}  // namespace tessel::exporting
