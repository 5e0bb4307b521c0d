#include "cli/row_writer.h"

#include "cli/console.h"
#include "cli/format_json.h"
#include "cli/format_table.h"
#include "cli/format_tsv.h"
#include "export/text_encoding.h"

namespace tessel::cli {

using exporting::CodePage;
using exporting::FromCodePage;
using exporting::ToUtf8;

namespace {

// A row's cells as UTF-8: a contact's read in `page`, a message's as AppendAsUtf8
// with `page` for the bytes that are not UTF-8.
CellRow DecodeRow(const CellRow& cells, ScanMode mode, const CodePage& page) {
  CellRow decoded;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    decoded.Set(i, mode == ScanMode::kAddressBook ? FromCodePage(cells[i], page) : ToUtf8(cells[i], &page));
  }
  return decoded;
}

class TableWriter : public RowWriter {
 public:
  TableWriter(ScanMode mode, const CodePage& page) : format_(mode, TerminalColumns(stdout)), mode_(mode), page_(page) {}
  void Begin(std::string& out) override { out += format_.Heading(); }
  void Write(std::string& out, long long number, const CellRow& cells, std::string_view marks) override {
    format_.AppendRow(out, number, DecodeRow(cells, mode_, page_), marks);
  }

 private:
  TableFormat format_;
  ScanMode mode_;
  const CodePage& page_;
};

class TsvWriter : public RowWriter {
 public:
  void Write(std::string& out, long long, const CellRow& cells, std::string_view) override {
    AppendTsvLine(out, cells);
  }
};

class JsonWriter : public RowWriter {
 public:
  JsonWriter(ScanMode mode, const CodePage& page) : mode_(mode), page_(page) {}
  void Begin(std::string& out) override { out += '['; }
  void Write(std::string& out, long long, const CellRow& row, std::string_view) override {
    out += first_ ? "\n  " : ",\n  ";
    first_ = false;
    AppendCells(out, row);
  }
  // {"cells": [...], "date_utc": "..." or null}: the readable cells and a date that sorts.
  void WriteReadable(std::string& out, long long, const CellRow& row, std::string_view,
                     std::string_view dateUtc) override {
    out += first_ ? "\n  {\"cells\": " : ",\n  {\"cells\": ";
    first_ = false;
    AppendCells(out, row);
    out += ", \"date_utc\": ";
    if (dateUtc.empty()) {
      out += "null";
    } else {
      AppendJsonString(out, dateUtc);
    }
    out += '}';
  }
  void End(std::string& out) override { out += first_ ? "]\n" : "\n]\n"; }

 private:
  void AppendCells(std::string& out, const CellRow& row) const {
    const CellRow cells = DecodeRow(row, mode_, page_);
    out += '[';
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) out += ", ";
      AppendJsonString(out, cells[i]);
    }
    out += ']';
  }

  ScanMode mode_;
  const CodePage& page_;
  bool first_ = true;
};

}  // namespace

std::unique_ptr<RowWriter> MakeRowWriter(RowFormat format, ScanMode mode, const CodePage& page) {
  switch (format) {
    case RowFormat::kTsv:
      return std::make_unique<TsvWriter>();
    case RowFormat::kJson:
      return std::make_unique<JsonWriter>(mode, page);
    case RowFormat::kTable:
      break;
  }
  return std::make_unique<TableWriter>(mode, page);
}

}  // namespace tessel::cli
