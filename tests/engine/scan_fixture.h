// What the engine tests share: a scratch folder of files built by the test, an
// engine context over rows in memory, and messages for the stores and indexes
// built with mail_files.h.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "recovery/row_cells.h"
#include "recovery/scan.h"
#include "tests/support/mail_files.h"
#include "tests/support/scratch_folder.h"

namespace tessel::testing {

using Rows = std::vector<std::vector<std::string>>;

// Rows as strings, to compare with the rows a test expects: messages with the
// cells the list shows in `mode`, contacts in list order (the last first).
std::vector<std::string> RowCells(const CellRow& row);
Rows RowCells(const std::vector<tessel::MessageRow>& rows, ScanMode mode);
Rows RowCells(const std::vector<tessel::ContactRow>& contacts);

// Records every progress call, in order.
class RecordingProgressBar final : public ProgressBar {
 public:
  struct Call {
    bool isRange;
    std::int64_t value;
  };
  void SetRange(std::int64_t upper) override { calls.push_back({true, upper}); }
  void SetPosition(std::int64_t position) override { calls.push_back({false, position}); }
  std::vector<Call> calls;
};

// A scan's ports over MemoryRows and a RecordingProgressBar.
struct EngineRun {
  MemoryRows list;
  RecordingProgressBar progress;
  std::atomic<int> stopRequested{0};
  ScanPorts ports{list, progress, stopRequested};
  ScanMode mode = ScanMode::kUsual;  // how rows() shows the message rows

  // The scan call over this run's ports.
  recovery::ScanResult Scan(const ChosenFile& chosen, ScanMode scanMode = ScanMode::kUsual) {
    mode = scanMode;
    return recovery::RunScan(chosen, scanMode, stopRequested, list, progress);
  }

  Rows rows() const { return list.Contacts().empty() ? RowCells(list.Messages(), mode) : RowCells(list.Contacts()); }
  // The record of message row `row`.
  MessageRecord record(std::size_t row) const {
    return row < list.Messages().size() ? list.Messages()[row].record : MessageRecord{};
  }
};

// A reader over memory that may claim more bytes than it holds, as a file cut
// short meanwhile does; it may let the engine read ahead on a helper thread.
class MemoryReader final : public ByteReader {
 public:
  MemoryReader(std::string bytes, std::int64_t claimedSize, bool readAhead = false)
      : bytes_(std::move(bytes)), claimed_(claimedSize), readAhead_(readAhead) {}
  bool MayReadAhead() const override { return readAhead_; }
  std::int64_t Size() const override { return claimed_; }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    if (offset < 0 || offset >= static_cast<std::int64_t>(bytes_.size())) return 0;
    return bytes_.copy(static_cast<char*>(buffer), count, static_cast<std::size_t>(offset));
  }
  int LastError() const override { return 0; }

 private:
  std::string bytes_;
  std::int64_t claimed_;
  bool readAhead_;
};

// A message as mail clients store it: header lines, a blank line, a body.
std::string Message(const std::string& from, const std::string& subject, const std::string& body = "Hello\r\n");
// The same with its header lines before MIME-Version.
std::string MessageWithLeadingHeaders(const std::string& from, const std::string& subject,
                                      const std::string& body = "Hello\r\n");

using mailfiles::IndexEntry;
using mailfiles::IndexHeader;

// Cells 0 to 3 as ExtractHeaderFields sets them from `text`.
std::vector<std::string> ExtractedCells(std::string_view text);

// The bytes CopyRecord hands on for the record [offset, offset + length) of
// the store at `storePath`.
std::string CopiedRecord(const std::string& storePath, std::int64_t offset, std::int64_t length);

// A message row as the engine writes it.
std::vector<std::string> MessageRow(const std::string& from, const std::string& subject, const std::string& to,
                                    const std::string& date, std::int64_t offset, std::int64_t length);

// What a deep scan's rows must be, whatever the bytes: in store order, each
// byte of the store in exactly one row, and each row from the index as long as
// the length after one of the index's entry markers. Empty when they are;
// otherwise what is wrong.
std::string DeepRowsFault(const std::vector<tessel::MessageRow>& rows, std::int64_t storeSize, std::string_view index);

}  // namespace tessel::testing
