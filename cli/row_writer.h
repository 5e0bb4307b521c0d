// The output formats of `tessel scan`. Rows arrive one at a time while the
// scan runs, so a writer formats each row as it comes and keeps no list.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/rows.h"
#include "export/code_pages.h"

namespace tessel::cli {

enum class RowFormat { kTable, kTsv, kJson };

class RowWriter {
 public:
  virtual ~RowWriter() = default;
  virtual void Begin(std::string& out) {}
  // `number` counts rows from 1, as the table shows them; `marks` follow it
  // there (RowMarks).
  virtual void Write(std::string& out, long long number, const CellRow& cells, std::string_view marks) = 0;
  // A message row with readable cells, and its date in UTC ("2003-03-04T10:05:00Z",
  // empty when the date could not be read), which json carries beside the cells.
  virtual void WriteReadable(std::string& out, long long number, const CellRow& cells, std::string_view marks,
                             std::string_view dateUtc) {
    Write(out, number, cells, marks);
  }
  virtual void End(std::string& out) {}
};

// The table and json read the cells in `page` (see DecodeRow); tsv writes bytes.
std::unique_ptr<RowWriter> MakeRowWriter(RowFormat format, ScanMode mode, const exporting::CodePage& page);

}  // namespace tessel::cli
