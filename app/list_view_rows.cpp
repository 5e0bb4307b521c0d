#include "app/list_view_rows.h"

#include <algorithm>
#include <limits>

int ListViewRows::AppendRow(const std::string& firstCell) {
  return m_list.InsertItem(m_list.GetItemCount(), firstCell);
}

void ProgressBarControl::SetRange(std::int64_t upper) {
  constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
  upper = std::max<std::int64_t>(upper, 0);
  m_nStep = upper / kLargest + 1;
  m_bar.SetRange32(0, static_cast<int>(upper / m_nStep));
}

void ProgressBarControl::SetPosition(std::int64_t position) {
  m_bar.SetPos(static_cast<int>(std::max<std::int64_t>(position, 0) / m_nStep));
}
