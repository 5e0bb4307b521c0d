// A message's record written out as tessel's export and the identity
// export write it: as a new .eml file, byte for byte, or appended to an mbox
// file behind its "From " line, quoted.
#pragma once

#include <string>

#include "engine/message_row.h"
#include "engine/source_file.h"
#include "export/record_copy.h"

namespace tessel::exporting {

class OutputFile;

// Copies the record into the new file `path` (nothing is overwritten); false
// with `error` set, and no file left, when it cannot be written. A record of
// which the store gave nothing before its end leaves no file (see `copy`).
bool WriteEmlFile(const std::string& path, ByteReader& store, const MessageRecord& record, RecordCopy& copy,
                  std::string& error);

// Appends the record to `mbox`, opened by its "From " line and quoted
// (`keepCrLf`: the stored line ends kept), or nothing at all when the store
// gave nothing of it before its end. False when a write failed.
bool AppendMboxMessage(OutputFile& mbox, bool keepCrLf, ByteReader& store, const MessageRecord& record,
                       RecordCopy& copy);

}  // namespace tessel::exporting
