// A deliberately plain model of the message store scan: 2000-byte windows read
// one by one and searched byte by byte, exactly as the window protocol reads
// (with the engine's corrections: one raw scan for all damaged index entries, a
// length field never searched again, a record starting at its header block).
// The engine's block search must list the very same rows.
#pragma once

#include <string>
#include <string_view>

#include "tests/engine/scan_fixture.h"

namespace tessel::reference {

// The rows of a whole scan of `path` (a store, or an index beside its store).
testing::Rows ScanMessageStore(const std::string& path);

// `rows` without those naming a record (offset and length) an earlier row
// names: the scan call lists each record once.
testing::Rows EachRecordOnce(testing::Rows rows);

// The rows of a raw scan of the store at `storePath`.
testing::Rows RawScan(const std::string& storePath);

// Cells 0 to 3 of a message text.
std::vector<std::string> HeaderCells(std::string_view text);

}  // namespace tessel::reference
