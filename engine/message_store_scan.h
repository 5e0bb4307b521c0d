// Finding the messages of an IncrediMail message store (.imm), through its index
// (.imh) when one is chosen, by searching the store for "MIME-Version: 1."
// otherwise. Each message found becomes a row: From, Subject, To, Date, and its
// record's offset and length (hidden cells 4 and 5).
#pragma once

#include <cstdint>
#include <string>

#include "engine/scan_context.h"

namespace tessel {

// One scan of `path`, a store (its name ends in "imm", any case) or an index.
// Clears the stop request, opens `path` into context.openSourceFile and leaves it
// open, sets storeFile (and sourceFile to the store for an index),
// then appends rows in the order found. Silent: a file that cannot be opened or
// an index without a store lists nothing.
void ScanMessageStore(ScanContext& context, const std::string& path);

// The raw scan of the whole store named by context.storeFile: one row per
// "MIME-Version: 1." occurrence, each record starting at the first line of the
// header block that holds that line. Does not clear the stop request.
void RawScanStore(ScanContext& context);

// An index entry's length is plausible when 0 < length < store size - 300
// (the store named by storeFile; false when it cannot be opened).
bool IsPlausibleLength(const ScanContext& context, std::int64_t length);

// The store that belongs to an index: the text after the path's last "."
// replaced by "imm"; a path without "." gets ".imm" appended.
std::string StorePathForIndex(const std::string& indexPath);

// True when the path names a store: its last three characters are "imm" in any case.
bool IsStorePath(const std::string& path);

}  // namespace tessel
