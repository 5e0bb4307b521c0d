// ScanWorker: the thread that runs one scan. It hands the rows to the list
// control and the progress to the bar in synchronous messages, and tells the
// window of the scan's start and end the same way (thread_messages.h), so the
// window's thread never waits for it.
#pragma once

#include <windows.h>

#include "app/recovered_list_ctrl.h"
#include "engine/chosen_file.h"
#include "framework/controls.h"
#include "recovery/scan.h"

// What the worker is given; it deletes the job when it ends.
struct ScanJob {
  HWND window = nullptr;  // told of the start and the end
  const CRecoveredListCtrl* list = nullptr;
  const CProgressCtrl* progress = nullptr;
  tessel::ChosenFile chosen;
  tessel::ScanMode mode = tessel::ScanMode::kUsual;
};

// The thread procedure; the parameter is a ScanJob made with new. Returns 1.
UINT ScanWorker(LPVOID parameter);
