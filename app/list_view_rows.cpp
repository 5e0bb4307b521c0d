#include "app/list_view_rows.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
// How long finished rows may wait before the list shows them, and how many
// may gather: the list fills visibly while a batch costs one message.
constexpr DWORD kFlushIntervalMs = 40;
constexpr size_t kLargestBatch = 8192;
// Progress positions closer together than this share of the range look alike.
constexpr int kProgressSteps = 1000;
}  // namespace

ListViewRows::ListViewRows(const CRecoveredListCtrl& list)
    : m_list(list), m_nListRows(list.GetItemCount()), m_nLastFlush(::GetTickCount()) {}

ListRow* ListViewRows::PendingRow(int row) {
  if (m_direction == Direction::kAppend) {
    int at = row - m_nListRows;
    return at >= 0 && at < static_cast<int>(m_pending.size()) ? &m_pending[static_cast<size_t>(at)] : nullptr;
  }
  // Rows inserted at the top: the last one kept is row 0.
  return row >= 0 && row < static_cast<int>(m_pending.size()) ? &m_pending[m_pending.size() - 1 - row] : nullptr;
}

int ListViewRows::ControlRow(int row) const {
  // Rows kept for the top stand before the control's rows.
  return m_direction == Direction::kTop ? row - static_cast<int>(m_pending.size()) : row;
}

void ListViewRows::Flush() {
  if (m_pending.empty()) return;
  m_list.SendMessage(m_direction == Direction::kAppend ? kListAppendRows : kListInsertRowsAtTop, 0,
                     reinterpret_cast<LPARAM>(&m_pending));
  m_nListRows = m_list.GetItemCount();
  m_pending.clear();
  m_nLastFlush = ::GetTickCount();
}

void ListViewRows::FlushIfDue(Direction next) {
  if (next != m_direction) {
    Flush();
    m_direction = next;
    return;
  }
  if (m_pending.size() >= kLargestBatch || ::GetTickCount() - m_nLastFlush >= kFlushIntervalMs) Flush();
}

ListRow ListViewRows::NewRow(const std::string& firstCell) const {
  // Rows of one scan are alike: room for as many cells as the widest so far,
  // so that filling a row does not move its cells again and again.
  ListRow cells;
  cells.reserve(std::max<size_t>(m_nWidth, 1));
  cells.push_back(firstCell);
  return cells;
}

int ListViewRows::AppendRow(const std::string& firstCell) {
  FlushIfDue(Direction::kAppend);
  m_pending.push_back(NewRow(firstCell));
  return RowCount() - 1;
}

void ListViewRows::InsertRowAtTop(const std::string& firstCell) {
  FlushIfDue(Direction::kTop);
  m_pending.push_back(NewRow(firstCell));
}

void ListViewRows::SetCell(int row, int column, std::string_view text) {
  if (column < 0) return;
  if (ListRow* cells = PendingRow(row)) {
    if (static_cast<size_t>(column) >= cells->size()) {
      cells->resize(static_cast<size_t>(column) + 1);
      m_nWidth = std::max(m_nWidth, cells->size());
    }
    (*cells)[static_cast<size_t>(column)].assign(text);
    return;
  }
  ListRowRequest request{ListRowRequest::Kind::kSetCell, ControlRow(row), column, std::string(text)};
  m_list.SendMessage(kListRowRequest, 0, reinterpret_cast<LPARAM>(&request));
}

std::string ListViewRows::GetCell(int row, int column) const {
  if (const ListRow* cells = const_cast<ListViewRows*>(this)->PendingRow(row))
    return column >= 0 && static_cast<size_t>(column) < cells->size() ? (*cells)[static_cast<size_t>(column)] : "";
  return RequestFromList({ListRowRequest::Kind::kGetCell, ControlRow(row), column, {}});
}

std::string ListViewRows::RequestFromList(ListRowRequest request) const {
  m_list.SendMessage(kListRowRequest, 0, reinterpret_cast<LPARAM>(&request));
  return request.text;
}

void ListViewRows::DeleteRow(int row) {
  if (ListRow* cells = PendingRow(row)) {
    m_pending.erase(m_pending.begin() + (cells - m_pending.data()));
    return;
  }
  row = ControlRow(row);
  if (row < 0 || row >= m_nListRows) return;
  ListRowRequest request{ListRowRequest::Kind::kDeleteRow, row, 0, {}};
  m_list.SendMessage(kListRowRequest, 0, reinterpret_cast<LPARAM>(&request));
  m_nListRows = m_list.GetItemCount();
}

void ProgressBarControl::SetRange(std::int64_t upper) {
  constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
  upper = std::max<std::int64_t>(upper, 0);
  m_nScale = upper / kLargest + 1;
  m_nUpper = static_cast<int>(upper / m_nScale);
  m_nShown = -1;
  m_bar.SetRange32(0, m_nUpper);
}

void ProgressBarControl::SetPosition(std::int64_t position) {
  int scaled = static_cast<int>(std::clamp<std::int64_t>(position / m_nScale, 0, std::numeric_limits<int>::max()));
  int step = std::max(1, m_nUpper / kProgressSteps);
  bool end = scaled == 0 || scaled >= m_nUpper;
  // Every message waits for the window's thread, which on a busy machine
  // costs far more than the bar's few hundred pixels can show.
  bool due = std::abs(scaled - m_nShown) >= step && ::GetTickCount() - m_nLastSent >= kFlushIntervalMs;
  if (m_nShown >= 0 && !end && !due) return;
  m_nShown = scaled;
  m_nLastSent = ::GetTickCount();
  m_bar.SetPos(scaled);
}
