#include "cli/row_writer.h"

#include "cli/format_json.h"
#include "cli/format_table.h"
#include "cli/format_tsv.h"

namespace tessel::cli {
namespace {

class TableWriter : public RowWriter {
 public:
  explicit TableWriter(ScanMode mode) : format_(mode, StdoutTerminalWidth()) {}
  void Begin(std::string& out) override { out += format_.Heading(); }
  void Write(std::string& out, long long number, const Row& cells) override { format_.AppendRow(out, number, cells); }

 private:
  TableFormat format_;
};

class TsvWriter : public RowWriter {
 public:
  void Write(std::string& out, long long, const Row& cells) override { AppendTsvLine(out, cells); }
};

class JsonWriter : public RowWriter {
 public:
  void Begin(std::string& out) override { out += '['; }
  void Write(std::string& out, long long, const Row& cells) override {
    out += first_ ? "\n  [" : ",\n  [";
    first_ = false;
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) out += ", ";
      AppendJsonString(out, cells[i]);
    }
    out += ']';
  }
  void End(std::string& out) override { out += first_ ? "]\n" : "\n]\n"; }

 private:
  bool first_ = true;
};

}  // namespace

std::unique_ptr<RowWriter> MakeRowWriter(RowFormat format, ScanMode mode) {
  switch (format) {
    case RowFormat::kTsv:
      return std::make_unique<TsvWriter>();
    case RowFormat::kJson:
      return std::make_unique<JsonWriter>();
    case RowFormat::kTable:
      break;
  }
  return std::make_unique<TableWriter>(mode);
}

}  // namespace tessel::cli
