// FolderExportWorker: the thread that moves a whole IncrediMail folder (every
// store and address book in it) into an output folder. As the scan worker
// does, it moves the progress bar and tells the window of each input's start
// and end and of the export's end in synchronous messages (thread_messages.h),
// so the window's thread never blocks on it: even exit, which waits for a
// stopped move to finish, handles the window's messages while it waits.
#pragma once

#include <windows.h>

#include <string>

#include "framework/controls.h"

// The folder each move makes in the chosen one ("Recovered mail (2)" when taken).
inline constexpr char kMoveSubfolder[] = "Recovered mail";

// What the worker is given; it deletes the job when it ends.
struct FolderExportJob {
  HWND window = nullptr;  // told of each input and of the end
  const CProgressCtrl* progress = nullptr;
  std::string input;   // the folder chosen to move
  std::string output;  // the folder written into
};

// The thread procedure; the parameter is a FolderExportJob made with new.
// Polls g_bStopRequested. Returns 1.
UINT FolderExportWorker(LPVOID parameter);
