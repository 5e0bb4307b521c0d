// What an index's bytes mean, asked for by the index walk and the deep scan
// alike: whether the index is taken at all, an entry's length and whether it
// is plausible for the store.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/source_file.h"

namespace tessel {

// An index is rejected only when every signature byte it has differs; one
// whose signature could not be read is taken.
bool IndexSignatureAccepted(ByteReader& index);

// The little-endian length of an entry; `bytes` holds at least its 4 bytes.
std::int64_t EntryLength(std::string_view bytes);

// An entry's length is plausible when 0 < length < the store's size - 300
// (never for a store that is not open: its size is 0).
bool IsPlausibleLength(std::int64_t length, std::int64_t storeSize);

}  // namespace tessel
