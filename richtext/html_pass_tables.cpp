// Tables of the rich text: rows and cells on a grid, column widths and row
// heights from the measured cells, borders, spacing, padding and fills.
#include <algorithm>
#include <numeric>

#include "richtext/html_pass.h"
#include "richtext/html_table_source.h"

namespace tessel {
namespace {

constexpr int kMaxSpan = 64;       // rows or columns one cell may cover
constexpr int kMaxColumns = 256;   // cells beyond are dropped
constexpr int kDoubleBorder = 6;   // total width of a double border, both sides
constexpr int kDoubleInset = 3;    // the content's inset inside a double border
constexpr int kMaxTableDepth = 8;  // deeper tables in damaged texts are left out

int SpanAttribute(const HtmlAttributes& attributes, const char* name, int limit) {
  const std::string* value = FindAttribute(attributes, name);
  if (!value) return 1;
  auto number = ReadCInteger(*value);
  if (!number || *number < 1) return 1;
  return static_cast<int>(std::min<std::uint32_t>(*number, static_cast<std::uint32_t>(std::max(limit, 1))));
}

int BorderTotal(const HtmlStyle& style) {
  return style.borderStyle == kBorderDouble ? kDoubleBorder : 2 * style.borderWidth;
}

int BorderInset(const HtmlStyle& style) {
  return style.borderStyle == kBorderDouble ? kDoubleInset : style.borderWidth;
}

// Sizes of columns (or rows) from the cells' sizes: single spans first, then
// wider spans make up their shortfall.
void DistributeSpans(const std::vector<TableCellLayout>& cells, bool columns, std::vector<int>& sizes) {
  int widest = 1;
  for (const auto& cell : cells) {
    const int first = columns ? cell.column : cell.row;
    const int span = columns ? cell.columnSpan : cell.rowSpan;
    const int need = columns ? cell.size.cx : cell.size.cy;
    widest = std::max(widest, span);
    if (span == 1) sizes[first] = std::max(sizes[first], need);
  }
  for (int span = 2; span <= widest; ++span) {
    for (const auto& cell : cells) {
      const int first = columns ? cell.column : cell.row;
      if ((columns ? cell.columnSpan : cell.rowSpan) != span) continue;
      const int need = columns ? cell.size.cx : cell.size.cy;
      long long have = 0;
      for (int i = first; i < first + span; ++i) have += sizes[i];
      if (have >= need) continue;
      const int shortfall = static_cast<int>(need - have);
      for (int i = first; i < first + span; ++i) sizes[i] += shortfall / span;
      sizes[first] += shortfall % span;
    }
  }
}

// Spreads extra width over the columns that are not fixed.
void Spread(std::vector<int>& sizes, const std::vector<bool>& fixed, int extra) {
  int free = static_cast<int>(std::count(fixed.begin(), fixed.end(), false));
  for (std::size_t i = 0; i < sizes.size() && free > 0; ++i) {
    if (fixed[i]) continue;
    const int share = extra / free;
    sizes[i] += share;
    extra -= share;
    --free;
  }
}

// A frame's pen is centred on the rectangle's right and bottom edges; the
// rectangle given for it keeps an odd-width pen inside the box it surrounds.
Rect FrameRect(const Rect& box, int width) {
  const int odd = width % 2;
  return {box.left, box.top, box.right - odd, box.bottom - odd};
}

long long Total(const std::vector<int>& sizes, int spacing, int border) {
  const long long count = static_cast<long long>(sizes.size());
  return std::accumulate(sizes.begin(), sizes.end(), 0LL) + spacing * (count + 1) + (count - 1) + border;
}

}  // namespace

void HtmlPass::MeasureTable(std::string_view text, int areaWidth, TableLayout& table) {
  const TableSource source = ParseTable(text);
  table.style = style_;
  table.style.wantedWidth = table.style.wantedHeight = 0;
  ApplyRule("table", table.style);
  ApplyBoxAttributes(ParseAttributes(source.attributes), areaWidth, table.style);

  const int rowCount = static_cast<int>(source.rows.size());
  std::vector<std::vector<bool>> taken(static_cast<std::size_t>(rowCount));
  int columnCount = 0;
  for (int r = 0; r < rowCount; ++r) {
    const TableRowSource& rowSource = source.rows[static_cast<std::size_t>(r)];
    HtmlStyle rowStyle = table.style;
    rowStyle.backgroundEffect = -1;  // the table's own fill is drawn once, under all cells
    rowStyle.backgroundImage.clear();
    ApplyRule("tr", rowStyle);
    ApplyBoxAttributes(ParseAttributes(rowSource.attributes), areaWidth, rowStyle);
    for (const TableCellSource& cellSource : rowSource.cells) {
      auto& slots = taken[static_cast<std::size_t>(r)];
      int column = 0;
      while (column < static_cast<int>(slots.size()) && slots[static_cast<std::size_t>(column)]) ++column;
      if (column >= kMaxColumns) break;
      const HtmlAttributes attributes = ParseAttributes(cellSource.attributes);
      TableCellLayout cell;
      cell.row = r;
      cell.column = column;
      cell.rowSpan = SpanAttribute(attributes, "rowspan", std::min(kMaxSpan, rowCount - r));
      cell.columnSpan = SpanAttribute(attributes, "colspan", std::min(kMaxSpan, kMaxColumns - column));
      for (int rr = r; rr < r + cell.rowSpan; ++rr) {
        auto& rowSlots = taken[static_cast<std::size_t>(rr)];
        const std::size_t end = static_cast<std::size_t>(column) + static_cast<std::size_t>(cell.columnSpan);
        if (rowSlots.size() < end) rowSlots.resize(end, false);
        for (int c = column; c < column + cell.columnSpan; ++c) rowSlots[static_cast<std::size_t>(c)] = true;
      }
      columnCount = std::max(columnCount, column + cell.columnSpan);
      cell.style = rowStyle;
      cell.style.wantedWidth = cell.style.wantedHeight = 0;
      ApplyRule("td", cell.style);
      ApplyBoxAttributes(attributes, areaWidth, cell.style);
      cell.style.borderWidth = std::min(cell.style.borderWidth, 1);
      cell.content = cellSource.content;
      table.cells.push_back(std::move(cell));
    }
  }
  table.columnWidths.assign(static_cast<std::size_t>(columnCount), 0);
  table.fixedColumns.assign(static_cast<std::size_t>(columnCount), false);
  table.rowHeights.assign(static_cast<std::size_t>(rowCount), 0);

  for (TableCellLayout& cell : table.cells) {
    style_ = cell.style;
    stack_.clear();
    SelectStyle();
    cell.contentSize = LayoutBlocks(cell.content, 0, 0, 0);
    const int frame = 2 * (cell.style.borderWidth + cell.style.margin);
    cell.size.cx = std::max(cell.contentSize.cx, cell.style.wantedWidth) + frame;
    cell.size.cy = std::max(cell.contentSize.cy, cell.style.wantedHeight) + frame;
    if (cell.columnSpan == 1 && cell.style.wantedWidth > 0)
      table.fixedColumns[static_cast<std::size_t>(cell.column)] = true;
  }
  DistributeSpans(table.cells, true, table.columnWidths);
  DistributeSpans(table.cells, false, table.rowHeights);
}

Size HtmlPass::LayoutTable(std::string_view text, int left, int top, int areaWidth) {
  if (tableDepth_ >= kMaxTableDepth) return {};
  ++tableDepth_;
  const HtmlStyle savedStyle = style_;
  const std::vector<StackEntry> savedStack = stack_;
  const LineState savedLine = line_;

  std::size_t index = tableCursor_++;
  if (!Drawing()) {
    drawer_.tables_.emplace_back();  // reserved now, so nested tables follow it
    TableLayout table;
    MeasureTable(text, areaWidth, table);
    drawer_.tables_[index] = std::move(table);
  }
  Size size;
  if (index < drawer_.tables_.size()) {
    TableLayout table = drawer_.tables_[index];
    if (!table.columnWidths.empty() && !table.rowHeights.empty()) {
      const int spacing = table.style.padding;
      const int border = BorderTotal(table.style);
      long long width = Total(table.columnWidths, spacing, border);
      long long height = Total(table.rowHeights, spacing, border);
      const int wanted = std::max(table.style.wantedWidth, areaWidth);
      if (width < wanted) {
        Spread(table.columnWidths, table.fixedColumns, static_cast<int>(wanted - width));
        width = Total(table.columnWidths, spacing, border);
      }
      if (height < table.style.wantedHeight) {
        Spread(table.rowHeights, std::vector<bool>(table.rowHeights.size(), false),
               static_cast<int>(table.style.wantedHeight - height));
        height = Total(table.rowHeights, spacing, border);
      }
      size = {static_cast<int>(std::min<long long>(width, 1 << 28)),
              static_cast<int>(std::min<long long>(height, 1 << 28))};
      if (Drawing()) {
        int x = left;
        if (size.cx < areaWidth && table.style.horizontalAlign == kAlignCenter) x += (areaWidth - size.cx) / 2;
        if (size.cx < areaWidth && table.style.horizontalAlign == kAlignRight) x += areaWidth - size.cx;
        DrawTable(table, x, top, areaWidth, size);
      }
    }
  }
  style_ = savedStyle;
  stack_ = savedStack;
  line_ = savedLine;
  SelectStyle();
  --tableDepth_;
  return size;
}

void HtmlPass::DrawTable(const TableLayout& table, int left, int top, int areaWidth, Size size) {
  DrawManager& draw = drawer_.drawManager_;
  const HtmlColors& colors = drawer_.colors_;
  const HtmlStyle& ts = table.style;
  const Rect tableRect = MakeRect(left, top, size.cx, size.cy);

  if (colors.Enabled()) {
    if (ts.backgroundEffect >= 0) {
      draw.FillEffect(surface_, ts.backgroundEffect, tableRect, ts.backgroundColor, ts.backgroundMiddleColor,
                      ts.backgroundEndColor, 0, 0);
    } else if (!ts.backgroundImage.empty()) {
      ImageSource source;
      source.from = ImageSource::From::kFile;
      source.path = ts.backgroundImage;
      if (auto image = drawer_.platform_.images->LoadBitmapImage(source); image && !image->IsEmpty())
        draw.TileBitmap(surface_, tableRect.left, tableRect.top, size.cx, size.cy, *image, 0, 0, image->Width(),
                        image->Height());
    }
  }
  if (ts.borderStyle != kBorderNone)
    draw.DrawFrame(surface_, FrameRect(tableRect, ts.borderWidth), colors.Filter(ts.borderColorLight),
                   colors.Filter(ts.borderColorDark), ts.borderStyle, ts.borderWidth);

  const int spacing = ts.padding;
  const int inset = BorderInset(ts);
  auto offsets = [&](const std::vector<int>& sizes, int origin) {
    std::vector<int> starts(sizes.size());
    long long at = origin + inset + spacing;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      starts[i] = static_cast<int>(std::min<long long>(at, 1 << 28));
      at += sizes[i] + spacing + 1;
    }
    return starts;
  };
  const std::vector<int> columnStarts = offsets(table.columnWidths, left);
  const std::vector<int> rowStarts = offsets(table.rowHeights, top);
  auto spanSize = [&](const std::vector<int>& sizes, int first, int span) {
    long long total = static_cast<long long>(spacing + 1) * (span - 1);
    for (int i = first; i < first + span; ++i) total += sizes[static_cast<std::size_t>(i)];
    return static_cast<int>(std::min<long long>(total, 1 << 28));
  };

  for (const TableCellLayout& cell : table.cells) {
    const HtmlStyle& cs = cell.style;
    const Rect cellRect = MakeRect(
        columnStarts[static_cast<std::size_t>(cell.column)], rowStarts[static_cast<std::size_t>(cell.row)],
        spanSize(table.columnWidths, cell.column, cell.columnSpan), spanSize(table.rowHeights, cell.row, cell.rowSpan));
    if (colors.Enabled() && cs.backgroundEffect >= 0)
      draw.FillEffect(surface_, cs.backgroundEffect, cellRect, cs.backgroundColor, cs.backgroundMiddleColor,
                      cs.backgroundEndColor, 0, 0);
    if (cs.borderStyle != kBorderNone)
      draw.DrawFrame(surface_, FrameRect(cellRect, 1), colors.Filter(cs.borderColorLight),
                     colors.Filter(cs.borderColorDark), cs.borderStyle, 1);
    const int pad = cs.borderWidth + cs.margin;
    const Rect inner{cellRect.left + pad, cellRect.top + pad, cellRect.right - pad, cellRect.bottom - pad};
    int contentTop = inner.top;
    if (cs.verticalAlign == kAlignVCenter) contentTop += (inner.Height() - cell.contentSize.cy) / 2;
    if (cs.verticalAlign == kAlignBottom) contentTop = inner.bottom - cell.contentSize.cy;
    style_ = cs;
    stack_.clear();
    SelectStyle();
    LayoutBlocks(cell.content, inner.left, contentTop, std::max(inner.Width(), 0));
  }
}

}  // namespace tessel
