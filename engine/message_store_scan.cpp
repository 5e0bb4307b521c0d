#include "engine/message_store_scan.h"

#include <algorithm>

#include "engine/store_scans.h"
#include "engine/window_protocol.h"

namespace tessel {
namespace {

// An index is rejected only when every signature byte it has differs.
bool IndexSignatureAccepted(ByteReader& index) {
  char header[kIndexHeaderRead];
  const std::size_t read = index.ReadAt(0, header, sizeof header);
  const std::size_t compared = std::min(read, kIndexSignature.size());
  for (std::size_t i = 0; i < compared; ++i)
    if (header[i] == kIndexSignature[i]) return true;
  return false;
}

}  // namespace

bool IsPlausibleLength(const ByteReader& store, std::int64_t length) {
  return length > 0 && length < store.Size() - kStoreMargin;
}

void ScanMessageStore(ScanContext& context, const ChosenFile& chosen) {
  context.stopRequested.store(0);
  if (!context.openSourceFile.Open(chosen.path)) return;
  if (chosen.kind == FileKind::kStore) {
    context.storeFile = chosen.path;
    RawScanStore(context, context.openSourceFile);
    return;
  }
  if (!FileExists(chosen.storePath)) return;
  context.storeFile = chosen.storePath;
  context.sourceFile = chosen.storePath;
  SourceFile store;
  store.Open(chosen.storePath);  // one that exists but cannot be read lists nothing
  if (IndexSignatureAccepted(context.openSourceFile))
    WalkIndex(context, context.openSourceFile, store);
  else if (store.IsOpen())
    RawScanStore(context, store);
}

}  // namespace tessel
