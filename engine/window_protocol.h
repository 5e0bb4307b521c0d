// The window protocol of the store and index searches. The searches read large
// blocks, but they must find exactly what windows of 2000 bytes with their
// overlaps would find: these constants and the coverage rules derived from them
// say which positions those windows look at.
#pragma once

#include <cstdint>
#include <string_view>

namespace tessel {

constexpr std::int64_t kIndexWindow = 2000;     // bytes read per step of the index walk
constexpr std::int64_t kIndexOverlap = 8;       // consecutive index windows overlap by this much
constexpr std::int64_t kStoreMargin = 300;      // a plausible length is below store size minus this
constexpr std::int64_t kRawWindow = 2000;       // bytes read per step of the raw scan
constexpr std::int64_t kRawOverlap = 20;        // consecutive raw windows overlap by this much
constexpr std::int64_t kRawTail = 100;          // a remaining raw window this small ends the search
constexpr std::int64_t kRawTextCap = 65536;     // bytes of a raw message read for its header fields
constexpr std::int64_t kIndexedTextCap = 2000;  // bytes of an indexed message read for its header fields

constexpr std::string_view kIndexSignature{"\x56\x23\x30\x34\x3C\x12\x08\x49", 8};
constexpr std::int64_t kIndexHeaderRead = 12;  // the signature and 4 bytes read with it
constexpr std::string_view kIndexEntryMarker{"\x00\x00\x03\x00", 4};
constexpr std::int64_t kEntryLengthSize = 4;  // little-endian length after the marker
constexpr std::string_view kMessageBoundary{"MIME-Version: 1."};

// The last position that raw windows starting at `from` test for the boundary
// text in a store of `storeSize` bytes. A window tests positions up to its size
// minus 17, so a store's last 16 bytes never open a message. Windows advance by
// 2000 - 20 bytes; one that would hold 100 bytes or less is not read, so a
// boundary in that tail, past the previous window's last tested position, is
// never found.
std::int64_t LastRawPositionSearched(std::int64_t from, std::int64_t storeSize);

}  // namespace tessel
