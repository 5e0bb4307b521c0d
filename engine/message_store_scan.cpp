#include "engine/message_store_scan.h"

#include <algorithm>
#include <cctype>

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

bool IsStorePath(const std::string& path) {
  if (path.size() < 3) return false;
  const std::string_view ending = std::string_view(path).substr(path.size() - 3);
  return std::equal(ending.begin(), ending.end(), "imm",
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::string StorePathForIndex(const std::string& indexPath) {
  const std::size_t dot = indexPath.rfind('.');
  const std::size_t separator = indexPath.find_last_of("/\\");
  // A "." in a folder's name is no extension of the file.
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return indexPath + ".imm";
  return indexPath.substr(0, dot + 1) + "imm";
}

bool IsPlausibleLength(const ScanContext& context, std::int64_t length) {
  SourceFile store;
  if (!store.Open(context.storeFile)) return false;
  return length > 0 && length < store.Size() - kStoreMargin;
}

void ScanMessageStore(ScanContext& context, const std::string& path) {
  context.stopRequested.store(0);
  if (!context.openSourceFile.Open(path)) return;
  if (IsStorePath(path)) {
    context.storeFile = path;
    RawScanStore(context);
    return;
  }
  const std::string storePath = StorePathForIndex(path);
  if (!FileExists(storePath)) return;
  context.storeFile = storePath;
  context.sourceFile = storePath;
  if (!IndexSignatureAccepted(context.openSourceFile)) {
    RawScanStore(context);
    return;
  }
  WalkIndex(context, context.openSourceFile);
}

}  // namespace tessel
