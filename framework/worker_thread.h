// A worker thread that runs one procedure with one parameter. Its thread
// object deletes itself when the thread ends, so a caller that keeps the
// object may use it only while the thread runs; a caller that must reach the
// thread later (to end it forcibly) asks for a handle of its own at the start.
#pragma once

#include <windows.h>

using AFX_THREADPROC = UINT (*)(LPVOID);
class CWinThread;

// Starts `procedure(parameter)` on a new thread with the given priority and
// stack size (0: the default); CREATE_SUSPENDED in `flags` leaves it
// suspended. When `ownHandle` is given it receives a duplicate of the
// thread's handle that stays valid after the thread object is gone (the
// caller closes it). Null when the thread could not be started.
CWinThread* AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0, HANDLE* ownHandle = nullptr);

class CWinThread {
 public:
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;

 private:
  friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD, HANDLE*);
  CWinThread(AFX_THREADPROC procedure, LPVOID parameter) : m_pfnThreadProc(procedure), m_pThreadParams(parameter) {}
  ~CWinThread();
  static DWORD WINAPI ThreadStart(LPVOID self);

  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;
};
