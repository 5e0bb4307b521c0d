// The raw scan and the index walk over open readers of a store and its index. Tests
// call these directly with small blocks, so that block edges fall anywhere in
// a store.
#pragma once

#include <cstddef>

#include "engine/block_reader.h"
#include "engine/scan_ports.h"
#include "engine/source_file.h"

namespace tessel {

// The raw scan of the whole store: one row per "MIME-Version: 1." that the
// store's windows would find, each record starting at the first line of the
// header block that holds that line. Does not clear the stop request.
void RawScanStore(ScanPorts& context, ByteReader& store, std::size_t blockSize = BlockReader::kDefaultBlockSize);

// The walk of an accepted index over its store, which the walk's entries, the
// raw scan of a rejected one (once per walk) and extraction all read. A store
// that could not be opened accepts no entry and lists nothing.
void WalkIndex(ScanPorts& context, ByteReader& index, ByteReader& store,
               std::size_t blockSize = BlockReader::kDefaultBlockSize);

}  // namespace tessel
