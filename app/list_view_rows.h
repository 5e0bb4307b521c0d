// The scan's rows and progress shown by the wizard's controls, from the scan
// worker. Rows come in batches (recovery/row_batch.h): one synchronous
// message hands the list control a whole batch, instead of one cross-thread
// message per cell. Each message row's cells for people are read from the
// store here, on the worker's thread, as its batch passes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/recovered_list_ctrl.h"
#include "engine/progress_bar.h"
#include "recovery/readable_cells.h"
#include "recovery/row_batch.h"
#include "framework/controls.h"

class ListViewSink final : public tessel::recovery::BatchSink {
 public:
  // `storePath`: where the message rows' records are; rows of a store that
  // cannot be opened show their stored cells.
  explicit ListViewSink(const CRecoveredListCtrl& list, const std::string& storePath = {});
  void AddMessages(std::vector<tessel::MessageRow>& rows) override;
  void AddContacts(std::vector<tessel::ContactRow>& rows) override;

 private:
  const CRecoveredListCtrl& m_list;
  tessel::recovery::ReadableCells m_readableCells;
  std::vector<tessel::CellRow> m_readable;  // the batch's cells for people
};

// The control's range is 32-bit; larger files are counted in coarser steps.
// Positions are sent only when the bar would move by a visible step, and not
// more often than rows are.
class ProgressBarControl final : public tessel::ProgressBar {
 public:
  explicit ProgressBarControl(const CProgressCtrl& bar) : m_bar(bar) {}
  void SetRange(std::int64_t upper) override;
  void SetPosition(std::int64_t position) override;

 private:
  const CProgressCtrl& m_bar;
  std::int64_t m_nScale = 1;
  int m_nUpper = 0;
  int m_nShown = -1;
  DWORD m_nLastSent = 0;
};
