// The engine's list and progress bar answered by the wizard's controls. Every
// call is a message sent to the control, so the worker's calls are carried out
// by the window's thread.
#pragma once

#include <cstdint>
#include <string>

#include "engine/recovered_list.h"
#include "framework/controls.h"
#include "framework/list_ctrl.h"

class ListViewRows final : public tessel::RecoveredList {
 public:
  explicit ListViewRows(const CListCtrl& list) : m_list(list) {}
  int AppendRow(const std::string& firstCell) override;
  void InsertRowAtTop(const std::string& firstCell) override { m_list.InsertItem(0, firstCell); }
  void SetCell(int row, int column, const std::string& text) override { m_list.SetItemText(row, column, text); }
  std::string GetCell(int row, int column) const override { return m_list.GetItemText(row, column); }
  int RowCount() const override { return m_list.GetItemCount(); }
  void DeleteRow(int row) override { m_list.DeleteItem(row); }

 private:
  const CListCtrl& m_list;
};

// The control's range is 32-bit; larger files are counted in coarser steps.
class ProgressBarControl final : public tessel::ProgressBar {
 public:
  explicit ProgressBarControl(const CProgressCtrl& bar) : m_bar(bar) {}
  void SetRange(std::int64_t upper) override;
  void SetPosition(std::int64_t position) override;

 private:
  const CProgressCtrl& m_bar;
  std::int64_t m_nStep = 1;
};
