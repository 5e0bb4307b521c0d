#include "recovery/list_view_order.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tessel::recovery {
namespace {

// Rows of From, Subject and a UTC time; column 2 is the time column.
struct Row {
  std::string from;
  std::string subject;
  std::string utc;
};

class Rows final : public ListRowKeys {
 public:
  explicit Rows(std::vector<Row> rows) : rows_(std::move(rows)) {}
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  std::string SortKey(int row, int column) const override {
    const Row& r = rows_[static_cast<size_t>(row)];
    return column == 0 ? r.from : column == 1 ? r.subject : r.utc;
  }
  bool IsTimeColumn(int column) const override { return column == 2; }
  void SearchTexts(int row, std::vector<std::string_view>& texts) const override {
    texts.push_back(rows_[static_cast<size_t>(row)].from);
    texts.push_back(rows_[static_cast<size_t>(row)].subject);
  }
  std::vector<Row>& All() { return rows_; }

 private:
  std::vector<Row> rows_;
};

std::vector<int> Shown(const ListViewOrder& order) {
  std::vector<int> rows;
  for (int position = 0; position < order.ShownCount(); ++position) rows.push_back(order.RowAt(position));
  return rows;
}

TEST(ListViewOrder, SortsWithoutCaseReversesOnTheSecondClickAndKeepsBlanksLastAndTiesInRowOrder) {
  Rows rows({{"bob", "b", "2003-03-04T09:00:00Z"},
             {"", "a", ""},
             {"Alice", "c", "1999-12-31T23:00:00Z"},
             {"alice", "a", "2010-01-01T00:00:00Z"},
             {"Carol", "b", "2003-03-04T08:59:00Z"}});
  ListViewOrder order;
  order.Reset(rows);
  EXPECT_EQ(Shown(order), (std::vector<int>{0, 1, 2, 3, 4}));

  order.SortBy(rows, 0);
  EXPECT_EQ(order.SortedColumn(), 0);
  EXPECT_TRUE(order.Ascending());
  EXPECT_EQ(Shown(order), (std::vector<int>{2, 3, 0, 4, 1}));
  order.SortBy(rows, 0);
  EXPECT_FALSE(order.Ascending());
  EXPECT_EQ(Shown(order), (std::vector<int>{4, 0, 2, 3, 1}));

  // Another column starts ascending; the time column by its time, not its text as shown.
  order.SortBy(rows, 2);
  EXPECT_TRUE(order.Ascending());
  EXPECT_EQ(Shown(order), (std::vector<int>{2, 4, 0, 3, 1}));
  for (int position = 0; position < order.ShownCount(); ++position)
    EXPECT_EQ(order.PositionOf(order.RowAt(position)), position);

  // Keys alike in their first 16 bytes and more are told apart by the rest, and a key before its longer self.
  Rows alike({{"someone.long@example.org", "", ""},
              {"someone.long@example.net", "", ""},
              {"someone.long@example", "", ""},
              {"SOMEONE.LONG@EXAMPLE.NET", "", ""}});
  order.Reset(alike);
  order.SortBy(alike, 0);
  EXPECT_EQ(Shown(order), (std::vector<int>{2, 1, 3, 0}));
  EXPECT_EQ(order.RowAt(5), -1);
  EXPECT_EQ(order.RowAt(-1), -1);
}

TEST(ListViewOrder, TheSearchHidesRowsWithoutTheTextKeepsTheSortAndTakesRowsThatComeLater) {
  Rows rows({{"Anna <anna@example.org>", "Invoice", ""},
             {"bob@example.org", "Holiday", ""},
             {"carol@EXAMPLE.org", "re: invoice", ""},
             {"dave", "Ünïcode INVOICE", ""}});
  ListViewOrder order;
  order.Reset(rows);
  order.SortBy(rows, 0);
  order.SortBy(rows, 0);  // descending
  order.Search(rows, "InVoIcE");
  EXPECT_TRUE(order.Searching());
  EXPECT_EQ(Shown(order), (std::vector<int>{3, 2, 0}));
  EXPECT_EQ(order.PositionOf(1), -1);
  EXPECT_EQ(order.PositionOf(0), 2);

  // Rows a running scan adds: those the search finds come after, in their order.
  rows.All().push_back({"erin", "no match", ""});
  rows.All().push_back({"frank", "Invoice 2", ""});
  order.Append(rows, 4, 6);
  EXPECT_EQ(Shown(order), (std::vector<int>{3, 2, 0, 5}));
  EXPECT_EQ(order.PositionOf(4), -1);
  EXPECT_EQ(order.PositionOf(5), 3);
  order.Refresh(rows);
  EXPECT_EQ(Shown(order), (std::vector<int>{5, 3, 2, 0}));

  order.Search(rows, "example.org");
  EXPECT_EQ(Shown(order), (std::vector<int>{2, 1, 0}));
  order.Search(rows, "");
  EXPECT_FALSE(order.Searching());
  EXPECT_EQ(order.ShownCount(), 6);

  // A new scan's list: every row in row order.
  order.Search(rows, "bob");
  order.Reset(rows);
  EXPECT_EQ(Shown(order), (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(order.SortedColumn(), ListViewOrder::kNoColumn);
}

}  // namespace
}  // namespace tessel::recovery
