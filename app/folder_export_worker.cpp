#include "app/folder_export_worker.h"

#include <memory>

#include "app/list_view_rows.h"
#include "app/scan_state.h"
#include "app/thread_messages.h"

namespace {
// A store's count of messages found is shown at most this often.
constexpr DWORD kAdvanceIntervalMs = 150;

// The export's word handed to the window, one sent message each; the bar is
// moved as the scan moves it.
class WindowExportProgress final : public tessel::moving::IdentityExportProgress {
 public:
  WindowExportProgress(HWND window, const CProgressCtrl& bar) : m_window(window), m_bar(bar) {}
  void Planned(const std::vector<tessel::moving::InputReport>& inputs) override {
    std::vector<tessel::moving::InputReport> copy = inputs;
    SendThreadMessage<ThreadMessage::kExportPlanned>(m_window, copy);
  }
  void InputStarted(std::size_t index, const tessel::moving::InputReport& input) override { Tell(index, input); }
  void InputAdvanced(std::size_t index, const tessel::moving::InputReport& input) override {
    if (::GetTickCount() - m_nToldAt >= kAdvanceIntervalMs) Tell(index, input);
  }
  void InputFinished(std::size_t index, const tessel::moving::InputReport& input) override { Tell(index, input); }
  void Overall(std::int64_t done, std::int64_t total) override {
    if (total != m_nTotal) m_bar.SetRange(m_nTotal = total);
    m_bar.SetPosition(done);
  }
  bool StopRequested() override { return g_bStopRequested != 0; }

 private:
  void Tell(std::size_t index, const tessel::moving::InputReport& input) {
    m_nToldAt = ::GetTickCount();
    ExportInputChange change{index, &input};
    SendThreadMessage<ThreadMessage::kExportInputChanged>(m_window, change);
  }

  HWND m_window;
  ProgressBarControl m_bar;
  std::int64_t m_nTotal = -1;
  DWORD m_nToldAt = 0;
};
}  // namespace

UINT FolderExportWorker(LPVOID parameter) {
  const std::unique_ptr<FolderExportJob> job(static_cast<FolderExportJob*>(parameter));
  tessel::moving::IdentityExportResult result;
  {
    WindowExportProgress progress(job->window, *job->progress);
    // The options of `tessel export FOLDER --format mbox`, so both write the same bytes, but each move
    // into a new subfolder: moving again, after a stop say, never meets the files of the last move.
    tessel::moving::IdentityExportOptions options;
    options.subfolder = kMoveSubfolder;
    result = tessel::moving::ExportIdentity(job->input, job->output, options, progress);
  }
  // The window frees the step rules when it has shown the end, as after a scan.
  SendThreadMessage<ThreadMessage::kExportEnded>(job->window, result);
  return 1;
}
