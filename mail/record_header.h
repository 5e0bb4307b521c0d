// The header block of a message record in a store, read through the store's
// reader up to its empty line (at most kMaxHeaderBlock bytes, never past the
// record), for the readable cells.
#pragma once

#include <string>

#include "engine/message_row.h"
#include "engine/source_file.h"

namespace tessel::mail {

std::string ReadRecordHeader(ByteReader& store, const MessageRecord& record);

}  // namespace tessel::mail
