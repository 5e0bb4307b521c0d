// The identity export: everything of an IncrediMail identity's folder into
// files the next mail program imports, in one call that tessel's folder export
// and the wizard both make, so that both write the same bytes.
//
// The folder is searched as folder_search.h says. Each store is read by the
// deep scan, every message once: the messages its index lists go to
// "NAME.mbox", those found only in the store (deleted, or never indexed) to
// "NAME (found only in the store).mbox" beside it; a store without an index
// has no index to tell, so all of its messages go to "NAME.mbox". With eml,
// the same split into the folders "NAME" and "NAME (found only in the
// store)", one .eml file per message. Address books go to "NAME.vcf" and
// "NAME.csv". NAME is the input's path from the searched folder ("Mail -
// Inbox"), made safe and unique (output_names.h). Nothing is overwritten: an
// output folder that holds any of these names already is refused before
// anything is written. "Recovery report.txt" in the output folder says what
// came of each input.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/message_row.h"
#include "export/code_pages.h"
#include "moving/folder_search.h"
#include "recovery/scan.h"

namespace tessel::moving {

enum class IdentityFormat { kMbox, kEml };

struct IdentityExportOptions {
  IdentityFormat format = IdentityFormat::kMbox;
  bool keepCrLf = false;                              // mbox: the stored line ends as they are
  std::string emlPrefix = "MailRec";                  // eml: "MailRec0001.eml", numbered in each folder
  const exporting::CodePage* contactsPage = nullptr;  // the address books' code page; null: the default
  // When set, everything goes into a new folder of this name inside the
  // output folder, "NAME (2)" and on when it is taken, so that a second move
  // into the same place never meets the first one's files.
  std::string subfolder;
};

inline constexpr char kReportFileName[] = "Recovery report.txt";
inline constexpr char kFoundOnlySuffix[] = " (found only in the store)";

enum class InputKind { kIndexedStore, kStore, kAddressBook, kIndexWithoutStore };

enum class InputState {
  kWaiting,  // not begun
  kRunning,
  kDone,        // everything written
  kIncomplete,  // written, but some bytes could not be read or no message claims them (see unreadable, unclaimed)
  kFailed,      // not read, or its files could not be written (see problems)
  kStopped,     // the stop request came during it: its files are removed
};

// What came of one input (a store, an index with its store or without it, an address book).
struct InputReport {
  std::string path;          // the index, store or address book found
  std::string relativePath;  // from the searched folder
  std::string name;          // NAME of its outputs
  InputKind kind = InputKind::kStore;
  InputState state = InputState::kWaiting;
  bool indexUsed = false;       // an index told listed messages from those found only in the store
  long long listed = 0;         // messages the index lists (contacts, of an address book)
  long long foundOnly = 0;      // messages found only in the store
  long long cutShort = 0;       // records the store ends inside
  long long blankContacts = 0;  // wiped address book records left out
  std::vector<recovery::UnreadableStretch> unreadable;
  std::vector<MessageRecord> unclaimed;  // stretches of the store that no message claims: left out
  // The files and folders written, full paths: a store's NAME first, then
  // its "found only in the store" one when there was any such message.
  std::vector<std::string> outputs;
  std::vector<std::string> problems;  // what went wrong, as sentences

  long long Messages() const { return listed + foundOnly; }
  // Its files are there: what it counts was written (a failed or stopped
  // input's files are removed).
  bool Written() const { return state == InputState::kDone || state == InputState::kIncomplete; }
};

struct IdentityExportResult {
  // Set when nothing was begun: the folder cannot be searched or holds no
  // IncrediMail files, the output folder lies inside it, cannot be made or
  // holds a file of an output's name already.
  std::string refused;
  std::string outFolder;  // where the files went: the output folder, or the new subfolder in it
  bool stopped = false;
  std::vector<InputReport> inputs;  // in search order
  FolderSearch search;              // what the search left out or did not follow
  std::string reportPath;           // empty when the report could not be written
  std::string reportProblem;        // why not

  // True when nothing was left out, nothing failed and no stop came.
  bool Complete() const;
};

// What the identity export reports while it runs; the wizard shows it, tessel
// draws a bar. Every call comes on the thread that called ExportIdentity.
class IdentityExportProgress {
 public:
  virtual ~IdentityExportProgress() = default;
  // Once, after the search and before the first input: every input, waiting.
  virtual void Planned(const std::vector<InputReport>& inputs) { (void)inputs; }
  // Input number `index` (into Planned's list) begins, is further on (its
  // messages found so far), or has ended (its final state and counts).
  virtual void InputStarted(std::size_t index, const InputReport& input) { (void)index, (void)input; }
  virtual void InputAdvanced(std::size_t index, const InputReport& input) { (void)index, (void)input; }
  virtual void InputFinished(std::size_t index, const InputReport& input) { (void)index, (void)input; }
  // Bytes of all inputs read so far, of `total`.
  virtual void Overall(std::int64_t done, std::int64_t total) { (void)done, (void)total; }
  // Asked often (between reads, messages and inputs): true ends the export.
  virtual bool StopRequested() { return false; }
};

// Exports the identity folder `folder` into `outFolder` (made when missing;
// refused when it lies inside `folder`). On a stop, the files of inputs
// already finished stay, those of the input in progress are removed, and the
// report says so. Both paths appear in the report as given, so the same
// strings give the same bytes, whichever front end calls.
IdentityExportResult ExportIdentity(const std::string& folder, const std::string& outFolder,
                                    const IdentityExportOptions& options, IdentityExportProgress& progress);

// The report's text: each input with its counts and outputs, what was left
// out and why, and a last line that sums up what was written. LF line ends;
// the report file has CR LF.
std::string IdentityReportText(const std::string& folder, const IdentityExportResult& result);

}  // namespace tessel::moving
