#include "cli/format_table.h"

#include <unistd.h>

#include <algorithm>
#include <iterator>

#include "cli/display_width.h"
#include "cli/terminal_text.h"

namespace tessel::cli {

namespace {

using Column = TableFormat::Column;

constexpr size_t kGap = 2;  // spaces between columns

// The minimum widths add up to less than 80 columns with the gaps.

const Column kMessageTable[] = {{-1, "#", 5, 5, Align::kRight},
                                {kFromCell, "From", 26, 8, Align::kLeft},
                                {kSubjectCell, "Subject", 32, 10, Align::kLeft},
                                {kToCell, "To", 26, 8, Align::kLeft},
                                {kDateCell, "Date", 31, 12, Align::kLeft},
                                {recovery::kOffsetCell, "Offset", 10, 10, Align::kRight},
                                {recovery::kLengthCell, "Length", 8, 8, Align::kRight}};

// A contact column's heading, as the wizard's list has it.
constexpr const char* Heading(int cell) { return kContactColumns[static_cast<size_t>(cell)].header.data(); }

// The address book has 23 columns; the table shows the ones people look for
// first (tsv and json carry them all).
const Column kContactTable[] = {{-1, "#", 4, 4, Align::kRight},
                                {kDisplayName, Heading(kDisplayName), 22, 10, Align::kLeft},
                                {kEmail, Heading(kEmail), 28, 12, Align::kLeft},
                                {kFirstName, Heading(kFirstName), 12, 6, Align::kLeft},
                                {kLastName, Heading(kLastName), 14, 6, Align::kLeft},
                                {kHomePhone, Heading(kHomePhone), 17, 6, Align::kLeft},
                                {kMobile, Heading(kMobile), 17, 6, Align::kLeft},
                                {kHomeCity, Heading(kHomeCity), 12, 6, Align::kLeft},
                                {kCompany, Heading(kCompany), 20, 6, Align::kLeft}};

// Narrows the text columns, each in proportion to what it can give, until the
// line fits `lineWidth` or every column is at its minimum.
void FitTo(std::vector<Column>& columns, size_t lineWidth) {
  size_t natural = kGap * (columns.size() - 1), slack = 0;
  for (const Column& column : columns) {
    natural += column.width;
    slack += column.width - column.minWidth;
  }
  if (lineWidth == 0 || natural <= lineWidth || slack == 0) return;
  const size_t excess = std::min(natural - lineWidth, slack);
  size_t taken = 0;
  for (Column& column : columns) {
    const size_t give = (column.width - column.minWidth) * excess / slack;
    column.width -= give;
    taken += give;
  }
  // Rounding leaves a few characters; take them from the widest text columns.
  while (taken < excess) {
    Column* widest = nullptr;
    for (Column& column : columns) {
      if (column.width > column.minWidth && (widest == nullptr || column.width > widest->width)) {
        widest = &column;
      }
    }
    if (widest == nullptr) break;
    --widest->width;
    ++taken;
  }
}

}  // namespace

void AppendTableCell(std::string& out, std::string_view bytes, size_t width, Align align) {
  std::string text = TerminalCellText(bytes);
  // The list pads short fields with a space; it means nothing in the table.
  while (!text.empty() && text.back() == ' ') text.pop_back();
  // Padded by the columns the terminal gives the text, so wide and combining characters keep the table aligned.
  size_t length = DisplayWidth(text);
  if (length > width && align == Align::kLeft) {
    constexpr size_t kEllipsis = 3;
    text = std::string(DisplayPrefix(text, width > kEllipsis ? width - kEllipsis : 0)) + "...";
    length = DisplayWidth(text);
  }
  const std::string padding(length < width ? width - length : 0, ' ');
  if (align == Align::kRight) out += padding;
  out += text;
  if (align == Align::kLeft) out += padding;
}

TableFormat::TableFormat(ScanMode mode, size_t lineWidth) {
  if (mode == ScanMode::kAddressBook) {
    columns_.assign(std::begin(kContactTable), std::end(kContactTable));
  } else {
    columns_.assign(std::begin(kMessageTable), std::end(kMessageTable));
  }
  FitTo(columns_, lineWidth);
}

std::string TableFormat::Heading() const {
  std::string out;
  AppendLine(out, 0, nullptr, {});
  return out;
}

void TableFormat::AppendRow(std::string& out, long long number, const CellRow& cells, std::string_view marks) const {
  AppendLine(out, number, &cells, marks);
}

void TableFormat::AppendLine(std::string& out, long long number, const CellRow* cells, std::string_view marks) const {
  std::string line;
  for (size_t i = 0; i < columns_.size(); ++i) {
    const Column& column = columns_[i];
    if (i > 0) line.append(kGap, ' ');
    std::string text;
    if (cells == nullptr) {
      text = column.heading;
    } else if (column.cell < 0) {
      text = std::to_string(number);
      text += marks;
    } else if (static_cast<size_t>(column.cell) < cells->size()) {
      text = (*cells)[static_cast<size_t>(column.cell)];
    }
    AppendTableCell(line, text, column.width, column.align);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out += line;
  out += '\n';
}

}  // namespace tessel::cli
