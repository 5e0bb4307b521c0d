// Finding the messages of an IncrediMail message store (.imm), through its index
// (.imh) when one is chosen, by searching the store for "MIME-Version: 1."
// otherwise. Each message found becomes a row: From, Subject, To, Date, and its
// record's offset and length (hidden cells 4 and 5).
#pragma once

#include <cstdint>

#include "engine/chosen_file.h"
#include "engine/scan_context.h"
#include "engine/source_file.h"

namespace tessel {

// One scan of a chosen store or index (an address book lists nothing). Clears
// the stop request, opens the chosen file into context.openSourceFile and
// leaves it open, sets storeFile (and sourceFile to the store for an index),
// then appends rows in the order found. The store is opened once, and the
// index walk, the raw scan and extraction all read it there. Silent: a file
// that cannot be opened or an index without a store lists nothing.
void ScanMessageStore(ScanContext& context, const ChosenFile& chosen);

// An index entry's length is plausible when 0 < length < the store's size - 300
// (never for a store that is not open: its size is 0).
bool IsPlausibleLength(const ByteReader& store, std::int64_t length);

}  // namespace tessel
