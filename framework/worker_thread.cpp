#include "framework/worker_thread.h"

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
}

DWORD WINAPI CWinThread::ThreadStart(LPVOID parameter) {
  auto* self = static_cast<CWinThread*>(parameter);
  UINT exitCode = self->m_pfnThreadProc(self->m_pThreadParams);
  delete self;
  return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority, UINT stackSize, DWORD flags,
                           HANDLE* ownHandle) {
  if (ownHandle) *ownHandle = nullptr;
  auto* thread = new CWinThread(procedure, parameter);
  // Started suspended so that priority and the caller's handle are in place
  // before the procedure can run (and delete the object).
  thread->m_hThread =
      ::CreateThread(nullptr, stackSize, &CWinThread::ThreadStart, thread, CREATE_SUSPENDED, &thread->m_nThreadID);
  if (!thread->m_hThread) {
    delete thread;
    return nullptr;
  }
  ::SetThreadPriority(thread->m_hThread, priority);
  if (ownHandle)
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), ownHandle, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
  if (!(flags & CREATE_SUSPENDED)) ::ResumeThread(thread->m_hThread);
  return thread;
}
