// ScanWorker: the thread that runs one scan. It drives the list and the
// progress bar through the engine and hands every other change of the window
// to the window's thread with a synchronous message, so the window's thread
// never waits for it.
#pragma once

#include <windows.h>

#include <string>

// Sent by the worker to the wizard window: the scan starts (show the progress
// bar and the scanning text) and the scan ended (lParam: a std::string with a
// problem to report, empty when there is none). Posted by the window to
// itself: start the worker (wParam: the scan mode).
enum : UINT {
  kScanStartedMessage = WM_APP + 0x50,
  kScanEndedMessage,
  kBeginScanMessage,
};

// The thread procedure; the parameter is the wizard window. Returns 1.
UINT ScanWorker(LPVOID parameter);

// The folder text the engines are given ("AddBook.txt" is formed in it).
inline constexpr char kEngineFolder[] = "c:\\";
