// The raw scan and the index walk over open readers. The public entry points
// (message_store_scan.h) open the files; tests call these directly with small
// blocks, so that block edges fall anywhere in a store.
#pragma once

#include <cstddef>

#include "engine/block_reader.h"
#include "engine/scan_context.h"
#include "engine/source_file.h"

namespace tessel {

void RawScan(ScanContext& context, ByteReader& store, std::size_t blockSize = BlockReader::kDefaultBlockSize);

// The walk of an accepted index. A rejected entry raw-scans the store named by
// context.storeFile, once per walk.
void WalkIndex(ScanContext& context, ByteReader& index, std::size_t blockSize = BlockReader::kDefaultBlockSize);

}  // namespace tessel
