#include "app/scan_worker.h"

#include <memory>

#include "app/list_view_rows.h"
#include "app/scan_state.h"
#include "app/thread_messages.h"
#include "recovery/row_batch.h"

UINT ScanWorker(LPVOID parameter) {
  const std::unique_ptr<ScanJob> job(static_cast<ScanJob*>(parameter));
  ThreadPayload<ThreadMessage::kScanStarted>::Type none;
  SendThreadMessage<ThreadMessage::kScanStarted>(job->window, none);
  tessel::recovery::ScanResult result;
  {
    ListViewSink sink(*job->list, job->chosen.storePath);
    tessel::recovery::RowBatch rows(sink);
    ProgressBarControl progress(*job->progress);
    result = tessel::recovery::RunScan(job->chosen, job->mode, g_bStopRequested, rows, progress);
  }  // the last rows reach the list here
  // The step rules hold "a worker runs" until the window has shown the end,
  // so that no Proceed can start a second worker before this one is done.
  SendThreadMessage<ThreadMessage::kScanEnded>(job->window, result);
  return 1;
}
