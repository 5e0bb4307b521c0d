// The messages between the wizard's threads, each with one payload type. They
// are sent, never posted (but kBeginScan, which carries nothing), so a payload
// lives on the sender's stack until the receiver has handled it, and the
// receiver reads it back as the type the sender gave.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "engine/cell_row.h"
#include "engine/contact_row.h"
#include "engine/message_row.h"
#include "moving/identity_export.h"
#include "recovery/scan.h"

enum class ThreadMessage : UINT {
  // Worker to list: messages that go after every one before, in order, with
  // their cells for people.
  kAddMessages = WM_APP + 0x40,
  // Worker to list: contacts in the file's order (the list shows the last first).
  kAddContacts,
  // Worker to window: the scan starts.
  kScanStarted,
  // Worker to window: the scan ended, and how.
  kScanEnded,
  // Window to itself, posted: start the worker of the chosen scan.
  kBeginScan,
  // Folder export worker to window: every store and address book it will do.
  kExportPlanned = WM_APP + 0x50,
  // Folder export worker to window: one of them started, found more, or ended.
  kExportInputChanged,
  // Folder export worker to window: the export ended, and what it wrote.
  kExportEnded,
  // Save thread to the saving dialog: a row is about to be written.
  kSavingRow = WM_APP + 0x60,
  // Save thread to the saving dialog: the job is done, and what it did.
  kSavingDone,
};

// A batch of message rows and, row for row, their cells for people
// (recovery/readable_cells.h), made on the worker's thread. The list may move
// both out.
struct MessageBatch {
  std::vector<tessel::MessageRow>& rows;
  std::vector<tessel::CellRow>& readable;
};

// The row the save thread is about to write, and its place among the checked rows.
struct SavingRow {
  std::size_t index = 0;
  const tessel::CellRow* cells = nullptr;
};
namespace tessel::recovery {
struct SaveOutcome;
}  // namespace tessel::recovery
// A store or address book of the folder export, by its place in the plan.
struct ExportInputChange {
  std::size_t index = 0;
  const tessel::moving::InputReport* input = nullptr;
};

template <ThreadMessage M>
struct ThreadPayload {
  struct None {};
  using Type = None;
};
template <>
struct ThreadPayload<ThreadMessage::kAddMessages> {
  using Type = MessageBatch;
};
template <>
struct ThreadPayload<ThreadMessage::kAddContacts> {
  using Type = std::vector<tessel::ContactRow>;
};
template <>
struct ThreadPayload<ThreadMessage::kScanEnded> {
  using Type = tessel::recovery::ScanResult;
};
template <>
struct ThreadPayload<ThreadMessage::kExportPlanned> {
  using Type = std::vector<tessel::moving::InputReport>;
};
template <>
struct ThreadPayload<ThreadMessage::kExportInputChanged> {
  using Type = ExportInputChange;
};
template <>
struct ThreadPayload<ThreadMessage::kExportEnded> {
  using Type = tessel::moving::IdentityExportResult;
};
template <>
struct ThreadPayload<ThreadMessage::kSavingRow> {
  using Type = SavingRow;
};
template <>
struct ThreadPayload<ThreadMessage::kSavingDone> {
  using Type = tessel::recovery::SaveOutcome;
};

template <ThreadMessage M>
LRESULT SendThreadMessage(HWND to, typename ThreadPayload<M>::Type& payload) {
  return ::SendMessageA(to, static_cast<UINT>(M), 0, reinterpret_cast<LPARAM>(&payload));
}

template <ThreadMessage M>
typename ThreadPayload<M>::Type& ThreadMessagePayload(LPARAM lParam) {
  return *reinterpret_cast<typename ThreadPayload<M>::Type*>(lParam);
}

constexpr bool IsThreadMessage(UINT message, ThreadMessage kind) { return message == static_cast<UINT>(kind); }
