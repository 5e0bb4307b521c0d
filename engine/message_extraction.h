// Turning a message's record into its row's cells, and copying a record's bytes
// out of the store. Extraction never changes a message's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/recovered_list.h"
#include "engine/scan_context.h"

namespace tessel {

// The four header cells of a message row.
struct HeaderFields {
  std::string from;     // cell 0, "Unknown" when absent
  std::string subject;  // cell 1, "Unknown" when absent
  std::string to;       // cell 2, CleanAddress of the To value, "none" when absent
  std::string date;     // cell 3, "Unknown" when absent
};

// The header field rules over a message's text (which ends at its first NUL).
// A field name counts only at the start of a line; of its three spellings the
// first that occurs wins.
HeaderFields ParseHeaderFields(std::string_view text);
// The same into `fields`, reusing the storage of its strings.
void ParseHeaderFields(std::string_view text, HeaderFields& fields);

// Sets cells 0 to 3 of `row` from ParseHeaderFields(text).
void ExtractHeaderFields(std::string_view text, RecoveredList& list, int row);

// Fills cells 0 to 3 of `row` from the first 2000 bytes of the record in the
// store named by context.storeFile; leaves them empty when the store cannot
// be opened or the offset is at or beyond its end.
void ExtractIndexedMessage(ScanContext& context, int row, std::int64_t offset, std::int64_t length);

// Reduces a To value to the text of cell 2 (an address in lower case, "none").
std::string CleanAddress(std::string_view value);
// The same into `cleaned`, reusing its storage.
void CleanAddressInto(std::string_view value, std::string& cleaned);

// Reads the record [offset, offset + length) of `storeFile` in chunks and hands
// each to `sink` (which returns false to stop). Only bytes actually read are
// passed on, so a record running past the end of the store ends where it does.
// Returns the count passed on, or -1 when the store cannot be opened or the
// sink refused a chunk.
using ChunkSink = std::function<bool(const char* bytes, std::size_t count)>;
std::int64_t CopyRecord(const std::string& storeFile, std::int64_t offset, std::int64_t length, const ChunkSink& sink);

// Writes the record of the store named by context.storeFile into a new file
// at `destination` (created, or emptied when it exists: callers that must not
// overwrite check first). Returns the bytes written, or -1 when the store cannot
// be opened (the destination is then not created), the destination cannot be
// created, or a write fails.
std::int64_t CopyRecordToFile(const ScanContext& context, std::int64_t offset, std::int64_t length,
                              const std::string& destination);

}  // namespace tessel
