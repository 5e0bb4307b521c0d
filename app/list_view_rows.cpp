#include "app/list_view_rows.h"

#include "app/thread_messages.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
// Progress positions are sent at most this often: every message waits for the window's thread.
constexpr DWORD kProgressIntervalMs = 40;
// Progress positions closer together than this share of the range look alike.
constexpr int kProgressSteps = 1000;
}  // namespace

ListViewSink::ListViewSink(const CRecoveredListCtrl& list, const std::string& storePath) : m_list(list) {
  if (!storePath.empty()) m_readableCells.Open(storePath);
}

void ListViewSink::AddMessages(std::vector<tessel::MessageRow>& rows) {
  m_readable.resize(rows.size());
  for (size_t row = 0; row < rows.size(); ++row) m_readableCells.MakeListCells(rows[row], m_readable[row]);
  MessageBatch batch{rows, m_readable};
  SendThreadMessage<ThreadMessage::kAddMessages>(m_list.m_hWnd, batch);
}

void ListViewSink::AddContacts(std::vector<tessel::ContactRow>& rows) {
  SendThreadMessage<ThreadMessage::kAddContacts>(m_list.m_hWnd, rows);
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
  bool due = std::abs(scaled - m_nShown) >= step && ::GetTickCount() - m_nLastSent >= kProgressIntervalMs;
  if (m_nShown >= 0 && !end && !due) return;
  m_nShown = scaled;
  m_nLastSent = ::GetTickCount();
  m_bar.SetPos(scaled);
}
