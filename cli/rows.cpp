#include "cli/rows.h"

namespace tessel::cli {

std::string RowMarks(const MessageRow& row, ScanMode mode) {
  std::string marks;
  if (mode == ScanMode::kDeep && row.origin == Origin::kStore) marks += '*';
  if (mode == ScanMode::kDeep && row.origin == Origin::kUnclaimed) marks += '?';
  if (!row.unreadable.empty()) marks += '!';
  return marks;
}

}  // namespace tessel::cli
