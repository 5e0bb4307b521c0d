#include "cli/readable_cells.h"

#include "mail/readable_header.h"
#include "mail/record_header.h"

namespace tessel::cli {

bool ReadableCells::Open(const std::string& storePath) {
  if (!file_.Open(storePath)) return false;
  reader_.emplace(file_);
  return true;
}

std::string ReadableCells::Apply(const MessageRow& row, CellRow& cells) {
  if (!reader_ || row.origin == Origin::kUnclaimed) return {};
  const mail::ReadableHeader header =
      mail::ReadHeader(mail::ReadRecordHeader(*reader_, row.record), mail::SystemCharsets());
  cells.Set(kFromCell, header.from);
  cells.Set(kSubjectCell, header.subject);
  cells.Set(kToCell, header.to);
  cells.Set(kDateCell, header.date);
  return header.dateUtc;
}

}  // namespace tessel::cli
