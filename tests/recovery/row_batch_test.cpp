#include "recovery/row_batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/scan_fixture.h"

namespace tessel::testing {
namespace {

// Keeps what it is handed, and how: one entry per call.
class RecordingSink final : public recovery::BatchSink {
 public:
  void AddMessages(std::vector<tessel::MessageRow>& rows) override {
    batches.push_back(rows.size());
    for (const tessel::MessageRow& row : rows) messages.push_back(row);
  }
  void AddContacts(std::vector<tessel::ContactRow>& rows) override {
    batches.push_back(rows.size());
    for (const tessel::ContactRow& row : rows) contacts.push_back(row);
  }

  std::vector<tessel::MessageRow> messages;
  std::vector<tessel::ContactRow> contacts;
  std::vector<std::size_t> batches;
};

std::string From(std::int64_t offset) { return "from " + std::to_string(offset); }

TEST(RowBatch, HandsOverRowsInBatchesAndTheRestAtTheEnd) {
  RecordingSink sink;
  recovery::RowBatch batch(sink, 2, std::chrono::hours(1));
  // Filled as a scan fills it: the storage the batch hands back is reused.
  tessel::MessageRow row;
  for (std::int64_t offset = 0; offset < 5; ++offset) {
    row.record = {offset, 1};
    row.cells.Clear();
    row.cells.Set(0, From(offset));
    batch.AddMessage(row);
  }
  EXPECT_EQ(sink.batches, (std::vector<std::size_t>{2, 2}));
  batch.Flush();
  EXPECT_EQ(sink.batches, (std::vector<std::size_t>{2, 2, 1}));
  ASSERT_EQ(sink.messages.size(), 5u);
  for (std::int64_t offset = 0; offset < 5; ++offset) {
    EXPECT_EQ(sink.messages[static_cast<std::size_t>(offset)].record.offset, offset);
    EXPECT_EQ(sink.messages[static_cast<std::size_t>(offset)].cells[0], From(offset));
  }
}

TEST(RowBatch, AWholeScanArrivesAsInRowsInMemory) {
  ScratchFolder folder;
  std::string store;
  for (int i = 0; i < 50; ++i) store += Message("a" + std::to_string(i) + "@b.c", std::to_string(i));
  const ChosenFile chosen = ResolveChosenFile(folder.Write("mail.imm", store));
  EngineRun reference;
  reference.Scan(chosen);
  RecordingSink sink;
  std::atomic<int> stop{0};
  MemoryProgressBar progress;
  {
    recovery::RowBatch batch(sink, 7, std::chrono::hours(1));
    EXPECT_EQ(recovery::RunScan(chosen, ScanMode::kUsual, stop, batch, progress).rows, 50);
  }
  EXPECT_EQ(RowCells(sink.messages, ScanMode::kUsual), reference.rows());
  EXPECT_EQ(sink.batches.size(), 8u);
}

}  // namespace
}  // namespace tessel::testing
