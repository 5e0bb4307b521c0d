// The raw scan: every "MIME-Version: 1." that the store's windows would find
// opens a message, and the next one found (or the end of the store) ends it.
// Each message's record starts at its header block (header_block.h), so the
// previous record ends there too.
#include <algorithm>

#include "engine/header_block.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/message_store_scan.h"
#include "engine/store_scans.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

constexpr std::int64_t kBoundarySize = static_cast<std::int64_t>(kMessageBoundary.size());

// The next boundary that windows starting at `from` would find.
std::int64_t NextBoundary(BlockReader& store, std::int64_t from, std::int64_t storeSize,
                          const std::atomic<int>& stop) {
  return store.Find(kMessageBoundary, from, LastRawPositionSearched(from, storeSize), &stop);
}

std::int64_t RecordStart(BlockReader& store, std::int64_t boundary, std::int64_t previousBoundaryEnd) {
  const std::int64_t limit = std::max(previousBoundaryEnd, boundary - kHeaderWalkBackLimit);
  const std::int64_t bytesBegin = std::max<std::int64_t>(limit - 1, 0);
  return HeaderBlockStart(store.Peek(bytesBegin, boundary), bytesBegin, boundary, limit);
}

void ListMessage(ScanContext& context, BlockReader& store, std::int64_t begin, std::int64_t end) {
  const int row = context.list.AppendRow("");
  ExtractHeaderFields(store.Peek(begin, begin + std::min(end - begin, kRawTextCap)), context.list, row);
  context.list.SetCell(row, kOffsetCell, FormatDecimalCell(begin));
  context.list.SetCell(row, kLengthCell, FormatDecimalCell(end - begin));
}

}  // namespace

void RawScan(ScanContext& context, ByteReader& storeFile, std::size_t blockSize) {
  const std::int64_t storeSize = storeFile.Size();
  context.progress.SetRange(storeSize);
  if (storeSize == 0 || context.g_bStopRequested.load() != 0) return;
  BlockReader store(storeFile, blockSize);

  std::int64_t boundary = NextBoundary(store, 0, storeSize, context.g_bStopRequested);
  if (boundary < 0) return;
  std::int64_t recordBegin = RecordStart(store, boundary, 0);
  for (;;) {
    const std::int64_t next =
        NextBoundary(store, boundary + kBoundarySize, storeSize, context.g_bStopRequested);
    if (next == BlockReader::kStopped) return;  // a message whose end was not found is not listed
    const bool last = next == BlockReader::kNone;
    const std::int64_t messageEnd = last ? store.Size() : next;
    const std::int64_t recordEnd = last ? messageEnd : RecordStart(store, next, boundary + kBoundarySize);
    ListMessage(context, store, recordBegin, recordEnd);
    context.progress.SetPosition(messageEnd);
    if (last || context.g_bStopRequested.load() != 0) return;
    boundary = next;
    recordBegin = recordEnd;
  }
}

void RawScanStore(ScanContext& context) {
  SourceFile store;
  if (store.Open(context.g_strStoreFile)) RawScan(context, store);
}

}  // namespace tessel
