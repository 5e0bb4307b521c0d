#include "engine/message_extraction.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/window_protocol.h"

namespace tessel {
namespace {

constexpr std::size_t kCopyChunk = 2000;  // bytes copied per read of a record

}  // namespace

void ExtractIndexedMessage(ScanContext& context, int row, std::int64_t offset, std::int64_t length) {
  SourceFile store;
  if (!store.Open(context.storeFile) || offset < 0 || offset >= store.Size()) return;
  char text[kIndexedTextCap];
  const std::size_t wanted = static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, kIndexedTextCap));
  const std::size_t read = store.ReadAt(offset, text, wanted);
  ExtractHeaderFields(std::string_view(text, read), context.list, row);
}

std::int64_t CopyRecord(const std::string& storeFile, std::int64_t offset, std::int64_t length, const ChunkSink& sink) {
  SourceFile store;
  if (!store.Open(storeFile)) return -1;
  char chunk[kCopyChunk];
  std::int64_t copied = 0;
  while (copied < length) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(length - copied, kCopyChunk));
    const std::size_t read = store.ReadAt(offset + copied, chunk, wanted);
    if (read == 0) break;  // the store ends (or a read failed) inside the record
    if (!sink(chunk, read)) return -1;
    copied += static_cast<std::int64_t>(read);
    if (read < wanted) break;
  }
  return copied;
}

std::int64_t CopyRecordToFile(const ScanContext& context, std::int64_t offset, std::int64_t length,
                              const std::string& destination) {
  SourceFile probe;
  if (!probe.Open(context.storeFile)) return -1;  // no empty file for a store we cannot read
  probe.Close();
  std::FILE* out = std::fopen(destination.c_str(), "w+b");
  if (out == nullptr) return -1;
  const std::int64_t copied =
      CopyRecord(context.storeFile, offset, length,
                 [out](const char* bytes, std::size_t count) { return std::fwrite(bytes, 1, count, out) == count; });
  const bool closed = std::fclose(out) == 0;
  return closed ? copied : -1;
}

}  // namespace tessel
