#include "recovery/row_batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/scan_fixture.h"

namespace tessel::testing {
namespace {

// Keeps what it is handed, and how: one entry per call.
class RecordingSink final : public recovery::RowSink {
 public:
  void AppendRows(std::vector<CellRow>& rows) override { Take(rows, false); }
  void InsertRowsAtTop(std::vector<CellRow>& rows) override { Take(rows, true); }

  Rows list;  // the rows as a list showing them would hold them
  std::vector<std::size_t> batches;

 private:
  void Take(std::vector<CellRow>& rows, bool top) {
    batches.push_back(rows.size());
    for (const CellRow& row : rows) {
      if (top)
        list.insert(list.begin(), RowCells(row));
      else
        list.push_back(RowCells(row));
    }
  }
};

TEST(RowBatch, HandsOverFinalRowsInBatchesAndKeepsTheLastUntilTheEnd) {
  RecordingSink sink;
  recovery::RowBatch batch(sink, 2, std::chrono::hours(1));
  int row = batch.AppendRow("");
  batch.SetCell(row, 1, "one");
  EXPECT_EQ(batch.GetCell(row, 1), "one");
  row = batch.AppendRow("two");
  batch.DeleteRow(row);  // a dropped row is never handed over
  EXPECT_EQ(batch.RowCount(), 1);
  for (const char* text : {"three", "four", "five"}) batch.SetCell(batch.AppendRow(text), 2, "x");
  EXPECT_EQ(batch.RowCount(), 4);
  EXPECT_EQ(sink.batches, (std::vector<std::size_t>{2}));  // "five" is still the engine's
  batch.Flush();
  EXPECT_EQ(sink.list, (Rows{{"", "one"}, {"three", "", "x"}, {"four", "", "x"}, {"five", "", "x"}}));
  EXPECT_EQ(sink.batches, (std::vector<std::size_t>{2, 2}));
}

TEST(RowBatch, RowsAtTheTopArriveLastFirstAfterTheRowsBeforeThem) {
  RecordingSink sink;
  {
    recovery::RowBatch batch(sink);
    batch.AppendRow("appended");
    const std::string_view cells[] = {"a", "1"};
    batch.InsertFilledRowAtTop(cells);
    batch.InsertRowAtTop("b");
    batch.SetCell(0, 1, "2");
    EXPECT_EQ(batch.GetCell(0, 0), "b");
    EXPECT_EQ(batch.RowCount(), 3);
  }  // the end of the batch hands over the rest
  EXPECT_EQ(sink.list, (Rows{{"b", "2"}, {"a", "1"}, {"appended"}}));
}

TEST(RowBatch, AWholeScanArrivesAsInAListInMemory) {
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
    EXPECT_EQ(recovery::RunScan(chosen, recovery::ScanMode::kUsual, stop, batch, progress).rows, 50);
  }
  EXPECT_EQ(sink.list, reference.rows());
  EXPECT_EQ(sink.batches.size(), 8u);
}

}  // namespace
}  // namespace tessel::testing
