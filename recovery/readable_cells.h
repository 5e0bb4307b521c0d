// The header cells for people (tessel scan's table and --readable, the
// wizard's list): From, Subject, To and Date read from each record's whole
// header block in the store, through the reader that passes unreadable bytes.
#pragma once

#include <optional>
#include <string>

#include "engine/cell_row.h"
#include "engine/message_row.h"
#include "engine/skipping_reader.h"
#include "engine/source_file.h"
#include "mail/record_header.h"

namespace tessel::recovery {

// A row's readable cells as the wizard's list keeps them: the four header
// cells, then the date in UTC for sorting.
constexpr int kDateUtcCell = kHeaderCellCount;

class ReadableCells {
 public:
  // False when the store cannot be opened.
  bool Open(const std::string& storePath);

  // Puts the row's readable header cells in place of the stored ones in
  // `cells`; returns the date in UTC ("2003-03-04T10:05:00Z"), empty when it
  // could not be read. Bytes no message claims keep their cells.
  std::string Apply(const MessageRow& row, CellRow& cells);

  // The row's cells for the list, into `cells`: From, Subject, To and Date in
  // UTF-8 (bytes no message claims, or of a store not opened, keep their
  // stored cells, read as UTF-8 where valid, else as Windows-1252), then the
  // date in UTC (kDateUtcCell, empty when it could not be read).
  void MakeListCells(const MessageRow& row, CellRow& cells);

 private:
  SourceFile file_;
  std::optional<SkippingReader> reader_;
  std::optional<mail::RecordHeaders> headers_;
};

}  // namespace tessel::recovery
