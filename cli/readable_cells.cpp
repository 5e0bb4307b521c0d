#include "cli/readable_cells.h"

#include "mail/readable_header.h"

namespace tessel::cli {

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

}  // namespace tessel::cli
