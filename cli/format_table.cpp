#include "cli/format_table.h"

#include "cli/text_encoding.h"

namespace tessel::cli {
namespace {

struct Column {
  int cell;  // -1: the row number
  const char* heading;
  size_t width;
  Align align;
};

constexpr Column kMessageTable[] = {
    {-1, "#", 5, Align::kRight},
    {kFromCell, "From", 26, Align::kLeft},
    {kSubjectCell, "Subject", 32, Align::kLeft},
    {kToCell, "To", 26, Align::kLeft},
    {kDateCell, "Date", 31, Align::kLeft},
    {kOffsetCell, "Offset", 10, Align::kRight},
    {kLengthCell, "Length", 8, Align::kRight}};

// The address book has 23 columns; the table shows the ones people look for
// first (tsv and json carry them all).
constexpr Column kContactTable[] = {
    {-1, "#", 4, Align::kRight},              {kDisplayName, "Display Name", 22, Align::kLeft},
    {kEmail, "Email", 28, Align::kLeft},      {kFirstName, "First Name", 12, Align::kLeft},
    {kLastName, "Last Name", 14, Align::kLeft}, {kHomePhone, "Phone", 17, Align::kLeft},
    {kMobile, "Mobile", 17, Align::kLeft},    {kHomeCity, "City", 12, Align::kLeft},
    {kCompany, "Company Name", 20, Align::kLeft}};

template <size_t N>
void AppendLine(std::string& out, const Column (&columns)[N], int number, const Row* cells) {
  std::string line;
  for (size_t i = 0; i < N; ++i) {
    const Column& column = columns[i];
    if (i > 0) line += "  ";
    std::string text;
    if (cells == nullptr) {
      text = column.heading;
    } else if (column.cell < 0) {
      text = std::to_string(number);
    } else if (static_cast<size_t>(column.cell) < cells->size()) {
      text = (*cells)[column.cell];
    }
    AppendTableCell(line, text, column.width, column.align);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  out += line;
  out += '\n';
}

std::string Printable(std::string_view bytes) {
  std::string text = ToUtf8(bytes);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  // The list pads short fields with a space; it means nothing in the table.
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The first `count` code points of a UTF-8 text.
std::string_view Prefix(std::string_view utf8, size_t count) {
  size_t seen = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && seen++ == count) {
      return utf8.substr(0, i);
    }
  }
  return utf8;
}

}  // namespace

void AppendTableCell(std::string& out, std::string_view bytes, size_t width, Align align) {
  std::string text = Printable(bytes);
  size_t length = CodePointCount(text);
  if (length > width && align == Align::kLeft) {
    constexpr size_t kEllipsis = 3;
    text = std::string(Prefix(text, width > kEllipsis ? width - kEllipsis : 0)) + "...";
    length = CodePointCount(text);
  }
  const std::string padding(length < width ? width - length : 0, ' ');
  if (align == Align::kRight) out += padding;
  out += text;
  if (align == Align::kLeft) out += padding;
}

std::string TableHeading(ScanMode mode) {
  std::string out;
  if (mode == ScanMode::kAddressBook) {
    AppendLine(out, kContactTable, 0, nullptr);
  } else {
    AppendLine(out, kMessageTable, 0, nullptr);
  }
  return out;
}

void AppendTableRow(std::string& out, ScanMode mode, int number, const Row& cells) {
  if (mode == ScanMode::kAddressBook) {
    AppendLine(out, kContactTable, number, &cells);
  } else {
    AppendLine(out, kMessageTable, number, &cells);
  }
}

}  // namespace tessel::cli
