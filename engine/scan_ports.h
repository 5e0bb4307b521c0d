// The ports a scan drives: the sink it hands rows to, the progress bar it
// moves and the stop request it polls. The program that runs a scan owns all
// three; the scan call (recovery/scan.h) owns the files it reads.
#pragma once

#include <atomic>

#include "engine/progress_bar.h"
#include "engine/row_sink.h"

namespace tessel {

struct ScanPorts {
  RowSink& rows;
  ProgressBar& progress;
  // Set by the user's Stop from any thread; polled between reads. The address
  // book walk ignores it.
  const std::atomic<int>& stopRequested;
};

}  // namespace tessel
