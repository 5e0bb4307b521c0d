#include "recovery/readable_cells.h"

#include "mail/charset_text.h"
#include "mail/readable_header.h"

namespace tessel::recovery {

bool ReadableCells::Open(const std::string& storePath) {
  if (!file_.Open(storePath)) return false;
  reader_.emplace(file_);
  headers_.emplace(*reader_);
  return true;
}

std::string ReadableCells::Apply(const MessageRow& row, CellRow& cells) {
  if (!headers_ || row.origin == Origin::kUnclaimed) return {};
  const mail::ReadableHeader header = mail::ReadHeader(headers_->Read(row.record), mail::SystemCharsets());
  cells.Set(kFromCell, header.from);
  cells.Set(kSubjectCell, header.subject);
  cells.Set(kToCell, header.to);
  cells.Set(kDateCell, header.date);
  return header.dateUtc;
}

void ReadableCells::MakeListCells(const MessageRow& row, CellRow& cells) {
  cells.Clear();
  std::string dateUtc;
  if (headers_ && row.origin != Origin::kUnclaimed) {
    dateUtc = Apply(row, cells);
  } else {
    std::string text;
    for (int column = 0; column < kHeaderCellCount; ++column) {
      text.clear();
      mail::AppendUndeclared(text, row.cells[static_cast<std::size_t>(column)], nullptr, mail::SystemCharsets());
      cells.Set(static_cast<std::size_t>(column), text);
    }
  }
  cells.Set(kDateUtcCell, dateUtc);
}

}  // namespace tessel::recovery
