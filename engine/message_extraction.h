// Turning a message's record into its row's cells, and reading a record's bytes
// out of the store. Extraction never changes a message's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/block_reader.h"
#include "engine/field_names.h"
#include "engine/cell_row.h"

namespace tessel {

// The four header cells of a message row while they are made. A scan keeps
// one from message to message, so that listing many messages does not
// allocate for each.
struct HeaderFields {
  std::string from;     // cell 0, "Unknown" when absent
  std::string subject;  // cell 1, "Unknown" when absent
  std::string to;       // cell 2, CleanAddress of the To value, "none" when absent
  std::string date;     // cell 3, "Unknown" when absent
};

// Sets `cells` to From, Subject, To and Date by the header field rules over a message's text,
// which ends at its first NUL: a field name counts only at the start of a
// line, and of its three spellings the first that occurs wins. `names`: where
// the names stand in `text`, when the raw scan noted them on its way;
// otherwise the text is searched for them.
// `fields` holds the values while they are made.
void ExtractHeaderFields(std::string_view text, HeaderFields& fields, CellRow& cells,
                         const FieldNamePositions* names = nullptr);

// Sets `cells` from the first 2000 bytes of the record
// [offset, offset + length), read through the index walk's reader of the
// store. Leaves them empty when the offset lies outside the store. Returns
// whether the record starts inside the store: only a row whose record starts at
// or past its end is dropped, so a message with empty From and To cells stays.
bool ExtractIndexedMessage(BlockReader& store, std::int64_t offset, std::int64_t length, HeaderFields& fields,
                           CellRow& cells);

// Reduces a To value to the text of cell 2 (an address in lower case, or
// "none"), into `cleaned`.
void CleanAddress(std::string_view value, std::string& cleaned);

// Reads the record [offset, offset + length) of `store` in chunks and hands
// each to `sink` (which returns false to stop). Only bytes actually read are
// passed on, so a record running past the end of the store ends where it does.
// Returns the count passed on, or -1 when the sink refused a chunk.
using ChunkSink = std::function<bool(const char* bytes, std::size_t count)>;
std::int64_t CopyRecord(ByteReader& store, std::int64_t offset, std::int64_t length, const ChunkSink& sink);

}  // namespace tessel
