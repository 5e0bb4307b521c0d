#include "app/save_job.h"

#include <windows.h>

#include "app/folder_path.h"
#include "app/scan_state.h"
#include "cli/code_pages.h"
#include "cli/contact_formats.h"
#include "cli/export_names.h"
#include "cli/rows.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/source_file.h"

namespace {
// Names tried before a save gives up on finding a free one.
constexpr int kMostAttempts = 10000;

std::string SystemErrorText(DWORD error) {
  char* text = nullptr;
  DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length && text ? std::string(text, length) : "error " + std::to_string(error);
  if (text) ::LocalFree(text);
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return message;
}

// A file made new for the save, removed again unless it is finished.
class NewFile {
 public:
  ~NewFile() {
    if (m_handle != INVALID_HANDLE_VALUE) {
      ::CloseHandle(m_handle);
      ::DeleteFileA(m_path.c_str());
    }
  }
  // Creates `name` in `folder`, or the first numbered name that is free.
  bool Create(const std::string& folder, const std::string& name, std::string& reason) {
    for (int attempt = 1; attempt <= kMostAttempts; ++attempt) {
      m_path = PathInFolder(folder, tessel::cli::NumberedFileName(name, attempt));
      m_handle = ::CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (m_handle != INVALID_HANDLE_VALUE) return true;
      DWORD error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
        reason = SystemErrorText(error);
        return false;
      }
    }
    m_path = PathInFolder(folder, name);
    reason = "every numbered name is taken";
    return false;
  }
  bool Write(const char* bytes, size_t count, std::string& reason) {
    DWORD written = 0;
    if (::WriteFile(m_handle, bytes, static_cast<DWORD>(count), &written, nullptr) && written == count) return true;
    DWORD error = ::GetLastError();
    reason = SystemErrorText(error ? error : ERROR_HANDLE_DISK_FULL);
    return false;
  }
  bool Finish(std::string& reason) {
    bool closed = ::CloseHandle(m_handle) != FALSE;
    if (!closed) {
      reason = SystemErrorText(::GetLastError());
      ::DeleteFileA(m_path.c_str());
    }
    m_handle = INVALID_HANDLE_VALUE;
    return closed;
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// The address book's bytes are text of the installation's code page; the
// vCards are UTF-8.
const tessel::cli::CodePage& SystemCodePage() {
  const tessel::cli::CodePage* page = tessel::cli::FindCodePage(static_cast<int>(::GetACP()));
  return page ? *page : *tessel::cli::FindCodePage(tessel::cli::kDefaultCodePage);
}

bool WriteMessage(const SaveJob& job, tessel::SourceFile& store, int row, const tessel::CellRow& cells,
                  SaveOutcome& outcome) {
  auto cell = [&](int column) { return std::string(cells.cell(static_cast<size_t>(column))); };
  NewFile file;
  std::string reason;
  if (!file.Create(job.folder, tessel::cli::MessageFileName(job.prefix, row + 1), reason)) {
    outcome.failedFile = file.Path();
    outcome.reason = reason;
    return false;
  }
  bool writeFailed = false;
  std::int64_t copied = -1;
  if (store.IsOpen())
    copied = tessel::CopyRecord(store, tessel::ParseDecimalCell(cell(tessel::kOffsetCell)),
                                tessel::ParseDecimalCell(cell(tessel::kLengthCell)),
                                [&](const char* bytes, std::size_t count) {
                                  writeFailed = !file.Write(bytes, count, reason);
                                  return !writeFailed;
                                });
  if (copied < 0 || !file.Finish(reason)) {
    outcome.failedFile = file.Path();
    outcome.reason = writeFailed || !reason.empty() ? reason : "the message store " + job.storeFile + " cannot be read";
    return false;
  }
  outcome.files.push_back(file.Path());
  ++outcome.written;
  return true;
}

bool WriteWholeFile(const SaveJob& job, const char* name, const std::string& bytes, SaveOutcome& outcome) {
  NewFile file;
  std::string reason;
  if (!file.Create(job.folder, name, reason) || !file.Write(bytes.data(), bytes.size(), reason) ||
      !file.Finish(reason)) {
    outcome.failedFile = file.Path();
    outcome.reason = reason;
    return false;
  }
  outcome.files.push_back(file.Path());
  ++outcome.written;
  return true;
}
}  // namespace

SaveOutcome RunSaveJob(SaveJob& job, const SaveProgress& progress) {
  SaveOutcome outcome;
  // The store is opened once for all the messages.
  tessel::SourceFile store;
  if (job.mode == kScanModeMessageStore) store.Open(job.storeFile);
  std::string text;
  std::string cards;
  tessel::cli::Row contact;  // reused from contact to contact
  for (size_t index = 0; index < job.rows.size(); ++index) {
    if (job.cancelRequested) {
      outcome.cancelled = true;
      break;
    }
    progress(index, job.cells[index]);
    if (job.mode == kScanModeMessageStore) {
      if (!WriteMessage(job, store, job.rows[index], job.cells[index], outcome)) return outcome;
      continue;
    }
    // Wiped records are left out, as `tessel contacts` does.
    tessel::cli::ContactCells(job.cells[index], contact);
    if (tessel::cli::IsBlankContact(contact)) continue;
    tessel::cli::AppendContactText(text, job.rows[index] + 1, contact);
    tessel::cli::AppendVCard(cards, contact, SystemCodePage());
  }
  if (job.mode == kScanModeAddressBook && !outcome.cancelled && !text.empty()) {
    if (WriteWholeFile(job, tessel::cli::kContactTextFileName, text, outcome))
      WriteWholeFile(job, tessel::cli::kContactVCardFileName, cards, outcome);
  }
  return outcome;
}
