#include "moving/identity_export.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <memory>

#include "engine/deep_scan.h"
#include "engine/index_format.h"
#include "engine/memory_rows.h"
#include "engine/skipping_reader.h"
#include "engine/source_file.h"
#include "export/contact_formats.h"
#include "export/export_names.h"
#include "export/file_system.h"
#include "export/message_files.h"
#include "export/output_file.h"
#include "export/output_names.h"
#include "recovery/row_batch.h"

namespace tessel::moving {
using exporting::AppendMboxMessage;
using exporting::CodePage;
using exporting::Collision;
using exporting::ContactExtension;
using exporting::ContactFormat;
using exporting::ContactsWritten;
using exporting::FindCodePage;
using exporting::FullPath;
using exporting::IsSameOrInside;
using exporting::kDefaultCodePage;
using exporting::KindOf;
using exporting::MakeFolders;
using exporting::MessageFileName;
using exporting::OutputFile;
using exporting::PathKind;
using exporting::RecordCopy;
using exporting::RemoveEmptyFolder;
using exporting::RemoveFile;
using exporting::SafeFileName;
using exporting::UniqueNames;
using exporting::WriteContactsFile;
using exporting::WriteEmlFile;

namespace {

// Rows handed on at most this many at a time: the progress port hears of each batch.
constexpr std::size_t kRowBatch = 64;
// Steps of the overall progress that are reported (fewer calls to the port).
constexpr std::int64_t kOverallSteps = 1000;

// Numbered names tried for a new subfolder before giving up.
constexpr int kSubfolderNumbers = 10000;

// Fallback names for a file whose name gives none ("..imm").
constexpr char kNoStoreName[] = "messages";
constexpr char kNoBookName[] = "contacts";

// The overall progress in bytes of all inputs, reported when it has moved a step.
class Overall {
 public:
  Overall(IdentityExportProgress& port, std::int64_t total) : port_(port), total_(total) {}
  void Report(std::int64_t done) {
    const std::int64_t step =
        total_ > 0 ? static_cast<std::int64_t>(static_cast<long double>(done) * kOverallSteps / total_) : 0;
    if (step == lastStep_) return;
    lastStep_ = step;
    port_.Overall(done, total_);
  }

 private:
  IdentityExportProgress& port_;
  std::int64_t total_;
  std::int64_t lastStep_ = -1;
};

// What every input of one export shares: where its files go, in which form,
// and whom it tells.
struct ExportRun {
  const std::string& outFolder;
  const IdentityExportOptions& options;
  IdentityExportProgress& port;
  Overall& overall;
};

// An input's place in the run: its number, and its bytes among all inputs'.
struct InputPlace {
  std::size_t index = 0;
  std::int64_t before = 0;  // bytes of the inputs before it
  std::int64_t size = 0;
};

// The engine's progress bar during one store's scan: positions become overall
// bytes, and each one is a moment to ask for a stop.
class ScanProgress final : public ProgressBar {
 public:
  ScanProgress(const ExportRun& run, const InputPlace& place, std::atomic<int>& stop)
      : run_(run), place_(place), stop_(stop) {}
  void SetRange(std::int64_t upper) override { upper_ = upper; }
  void SetPosition(std::int64_t position) override {
    if (run_.port.StopRequested()) stop_.store(1);
    if (upper_ > 0 && position >= 0 && position <= upper_) {
      run_.overall.Report(place_.before +
                          static_cast<std::int64_t>(static_cast<long double>(position) * place_.size / upper_));
    }
  }

 private:
  const ExportRun& run_;
  const InputPlace& place_;
  std::atomic<int>& stop_;
  std::int64_t upper_ = 0;
};

// One of a store's two destinations: an mbox file, or a folder of .eml files.
class MessageOutput {
 public:
  MessageOutput(std::string path, const IdentityExportOptions& options) : path_(std::move(path)), options_(options) {}
  ~MessageOutput() {
    if (!finished_) Discard();
  }
  MessageOutput(const MessageOutput&) = delete;
  MessageOutput& operator=(const MessageOutput&) = delete;

  bool Opened() const { return opened_; }
  const std::string& Path() const { return path_; }

  bool Open(std::string& error) {
    opened_ = true;
    if (options_.format == IdentityFormat::kMbox) return mbox_.Create(path_, Collision::kRefuse, error);
    if (KindOf(path_) != PathKind::kMissing) {
      error = "cannot create the folder '" + path_ + "': something of that name exists";
      return false;
    }
    madeFolder_ = MakeFolders(path_, error);
    return madeFolder_;
  }

  bool Add(ByteReader& store, const MessageRecord& record, RecordCopy& copy, std::string& error) {
    if (options_.format == IdentityFormat::kMbox) {
      if (AppendMboxMessage(mbox_, options_.keepCrLf, store, record, copy)) return true;
      mbox_.Finish(error);  // removes the file and says why
      return false;
    }
    const std::string file = JoinPath(path_, MessageFileName(options_.emlPrefix, ++count_));
    if (!WriteEmlFile(file, store, record, copy, error)) return false;
    emlFiles_.push_back(file);
    return true;
  }

  // Keeps what was written: false with `error` set when the mbox's last writes failed.
  bool Finish(std::string& error) {
    finished_ = true;
    return options_.format != IdentityFormat::kMbox || mbox_.Finish(error);
  }

  // Removes what was written, finished or not: a store's files go together.
  void Discard() {
    if (discarded_) return;
    discarded_ = true;
    if (options_.format == IdentityFormat::kMbox) {
      // An unfinished mbox goes with its OutputFile; a finished one is there.
      if (finished_ && opened_) RemoveFile(path_);
      return;
    }
    for (const std::string& file : emlFiles_) RemoveFile(file);
    emlFiles_.clear();
    if (madeFolder_) RemoveEmptyFolder(path_);
  }

 private:
  std::string path_;
  const IdentityExportOptions& options_;
  OutputFile mbox_;
  std::vector<std::string> emlFiles_;
  long long count_ = 0;
  bool opened_ = false;
  bool madeFolder_ = false;
  bool finished_ = false;
  bool discarded_ = false;
};

// A store's two destinations, and whether an index told them apart.
struct StoreOutputs {
  MessageOutput listed;
  MessageOutput foundOnly;
  bool indexUsed = false;

  // Without an index every message is found only in the store, and NAME holds them.
  MessageOutput& For(bool found) { return found && indexUsed ? foundOnly : listed; }
};

// Who hears of one input's progress, and how it is stopped.
struct InputProgress {
  IdentityExportProgress& port;
  std::size_t index;       // of the input, in the planned list
  std::atomic<int>& stop;  // the scan's own flag: set on the port's stop, or when a write failed
};

// Copies alike are said once in the report, the first one in full: a store
// that shrank while it was read may leave thousands.
struct CopyNotes {
  long long count = 0;
  std::string first;

  void Add(const std::string& note) {
    if (count++ == 0) first = note;
  }
  void Report(std::vector<std::string>& problems) const {
    if (count == 0) return;
    problems.push_back(count == 1 ? first : first + "; and " + std::to_string(count - 1) + " more messages alike");
  }
};

// Takes a store's rows from the deep scan and writes each message where its origin says.
class StoreWriter final : public recovery::BatchSink {
 public:
  StoreWriter(ByteReader& store, StoreOutputs& outputs, InputReport& report, const InputProgress& progress)
      : store_(store), outputs_(outputs), report_(report), progress_(progress) {}

  void AddMessages(std::vector<MessageRow>& rows) override {
    for (const MessageRow& row : rows) {
      if (failed_ || progress_.stop.load() != 0) return;
      if (row.origin == Origin::kUnclaimed) {
        report_.unclaimed.push_back(row.record);
        continue;
      }
      const bool found = row.origin != Origin::kIndex;
      MessageOutput& output = outputs_.For(found);
      std::string error;
      RecordCopy copy;
      if ((!output.Opened() && !output.Open(error)) || !output.Add(store_, row.record, copy, error)) {
        report_.problems.push_back(error);
        failed_ = true;
        progress_.stop.store(1);
        return;
      }
      const std::string note = RecordCopyNote("the message at byte " + std::to_string(copy.offset), copy);
      if (copy.end == RecordCopy::End::kEndedEarly) {
        endedEarly_.Add(note);
        continue;
      }
      ++(found ? report_.foundOnly : report_.listed);
      if (copy.end == RecordCopy::End::kStoreEnds) ++report_.cutShort;
      if (!copy.unreadable.empty()) withUnreadable_.Add(note);
    }
    if (progress_.port.StopRequested()) progress_.stop.store(1);
    progress_.port.InputAdvanced(progress_.index, report_);
  }
  // A store scan hands on no contacts.
  void AddContacts(std::vector<ContactRow>&) override {}

  bool Failed() const { return failed_; }
  // Copies that are not all the store has: true when there were any, said in the report.
  bool ReportCopies() {
    withUnreadable_.Report(report_.problems);
    endedEarly_.Report(report_.problems);
    return withUnreadable_.count > 0 || endedEarly_.count > 0;
  }

 private:
  ByteReader& store_;
  StoreOutputs& outputs_;
  InputReport& report_;
  const InputProgress& progress_;
  bool failed_ = false;
  CopyNotes withUnreadable_, endedEarly_;
};

// Read as the scan reads it: a signature that cannot be read rejects nothing.
bool IndexAccepted(const std::string& path) {
  SourceFile index;
  if (!index.Open(path)) return false;
  SkippingReader reader(index);
  return IndexSignatureAccepted(reader);
}

std::string OutputPath(const std::string& outFolder, const InputReport& input, bool foundOnly,
                       const IdentityExportOptions& options) {
  const std::string stem = foundOnly ? input.name + kFoundOnlySuffix : input.name;
  return JoinPath(outFolder, options.format == IdentityFormat::kMbox ? stem + ".mbox" : stem);
}

// A store's outputs are gone (a failure, or a stop): nothing of it is counted
// as written.
void Fail(InputReport& report, StoreOutputs& outputs, InputState state) {
  outputs.listed.Discard();
  outputs.foundOnly.Discard();
  report.state = state;
}

void ExportStore(const FoundFile& found, const InputPlace& place, const ExportRun& run, InputReport& report) {
  if (report.kind == InputKind::kIndexWithoutStore) {
    report.problems.push_back("its store '" + found.file.storePath +
                              "' is missing: an index holds no messages, only where they lie in its store");
    report.state = InputState::kFailed;
    return;
  }
  SourceFile store;
  errno = 0;
  if (!store.Open(found.file.storePath)) {
    // Not every platform's open says why (a Windows device name opens the device, and is refused).
    const int cause = errno;
    report.problems.push_back("cannot read the store '" + found.file.storePath + "'" +
                              (cause != 0 ? std::string(": ") + std::strerror(cause) : std::string()));
    report.state = InputState::kFailed;
    return;
  }
  // A rejected index tells nothing: the store's messages all go to NAME, as without one.
  const bool indexUsed = found.file.kind == FileKind::kIndex && IndexAccepted(found.file.path);
  report.indexUsed = indexUsed;
  if (found.file.kind == FileKind::kIndex && !indexUsed) {
    report.problems.push_back("the index '" + found.file.path +
                              "' is not recognised; every message of the store was searched for");
  }
  StoreOutputs outputs{MessageOutput(OutputPath(run.outFolder, report, false, run.options), run.options),
                       MessageOutput(OutputPath(run.outFolder, report, true, run.options), run.options), indexUsed};
  std::string error;
  // NAME is there even when the index lists nothing, so that every store has its file.
  if (!outputs.listed.Open(error)) {
    report.problems.push_back(error);
    return Fail(report, outputs, InputState::kFailed);
  }
  std::atomic<int> stop{0};
  ScanProgress progress(run, place, stop);
  const InputProgress told{run.port, place.index, stop};
  StoreWriter writer(store, outputs, report, told);
  recovery::ScanResult scan;
  {
    recovery::RowBatch batch(writer, kRowBatch);
    // The scan clears `stop` when it begins; the port is asked again at once.
    scan = recovery::RunScan(found.file, ScanMode::kDeep, stop, batch, progress);
  }
  if (writer.Failed()) return Fail(report, outputs, InputState::kFailed);
  if (scan.end == recovery::ScanEnd::kStopped || run.port.StopRequested()) {
    return Fail(report, outputs, InputState::kStopped);
  }
  if (scan.end == recovery::ScanEnd::kFileNotOpened || scan.end == recovery::ScanEnd::kStoreNotOpened) {
    report.problems.push_back("cannot open '" +
                              (scan.end == recovery::ScanEnd::kFileNotOpened ? found.file.path : found.file.storePath) +
                              "'");
    return Fail(report, outputs, InputState::kFailed);
  }
  for (MessageOutput* output : {&outputs.listed, &outputs.foundOnly}) {
    if (output->Opened() && !output->Finish(error)) {
      report.problems.push_back(error);
      return Fail(report, outputs, InputState::kFailed);
    }
  }
  for (MessageOutput* output : {&outputs.listed, &outputs.foundOnly}) {
    if (output->Opened()) report.outputs.push_back(output->Path());
  }
  report.unreadable = scan.unreadable;
  // A record cut short where the store ends holds all the store has: written,
  // as the single-store export does. Bytes no message claims are not: the
  // report names them.
  const bool copiesShort = writer.ReportCopies();
  report.state = report.unreadable.empty() && report.unclaimed.empty() && !copiesShort ? InputState::kDone
                                                                                       : InputState::kIncomplete;
}

void ExportAddressBook(const FoundFile& found, const std::string& outFolder, const IdentityExportOptions& options,
                       InputReport& report) {
  MemoryRows rows;
  MemoryProgressBar bar;
  std::atomic<int> stop{0};
  const recovery::ScanResult scan = recovery::RunScan(found.file, ScanMode::kAddressBook, stop, rows, bar);
  if (scan.end == recovery::ScanEnd::kFileNotOpened) {
    report.problems.push_back("cannot open '" + found.file.path + "'");
    report.state = InputState::kFailed;
    return;
  }
  // In the list's order, the last contact first, as the wizard and tessel write them.
  std::vector<ContactRow> contacts = rows.TakeContacts();
  std::reverse(contacts.begin(), contacts.end());
  const CodePage& page = options.contactsPage != nullptr ? *options.contactsPage : *FindCodePage(kDefaultCodePage);
  for (const ContactFormat format : {ContactFormat::kVCard, ContactFormat::kCsv}) {
    const std::string path = JoinPath(outFolder, report.name + "." + ContactExtension(format));
    ContactsWritten written;
    std::string error;
    if (!WriteContactsFile(contacts, path, format, page, written, error)) {
      report.problems.push_back(error);
      report.state = InputState::kFailed;
      for (const std::string& done : report.outputs) RemoveFile(done);
      report.outputs.clear();
      return;
    }
    report.outputs.push_back(path);
    report.listed = written.contacts;
    report.blankContacts = written.blank;
  }
  report.state = InputState::kDone;
  for (const recovery::UnreadableStretch& stretch : scan.unreadable) {
    report.problems.push_back("read error at bytes " + std::to_string(stretch.range.begin) + "-" +
                              std::to_string(stretch.range.end - 1) + ": " + std::strerror(stretch.range.errorCode) +
                              "; the contacts around it are kept");
    report.state = InputState::kIncomplete;
  }
}

std::int64_t SizeOf(const std::string& path) {
  SourceFile file;
  return file.Open(path) ? file.Size() : 0;
}

// Names every input's outputs, safe and unique among all of them and the report.
std::vector<InputReport> Plan(const FolderSearch& search, const IdentityExportOptions& options) {
  UniqueNames names;
  names.Reserve(kReportFileName);
  const bool mbox = options.format == IdentityFormat::kMbox;
  const std::string foundOnly = std::string(kFoundOnlySuffix) + (mbox ? ".mbox" : "");
  std::vector<InputReport> inputs;
  inputs.reserve(search.files.size());
  for (const FoundFile& found : search.files) {
    InputReport input;
    input.path = found.file.path;
    input.relativePath = found.relativePath;
    input.kind = found.file.kind == FileKind::kAddressBook ? InputKind::kAddressBook
                 : found.storeMissing                      ? InputKind::kIndexWithoutStore
                 : found.file.kind == FileKind::kIndex     ? InputKind::kIndexedStore
                                                           : InputKind::kStore;
    const bool book = input.kind == InputKind::kAddressBook;
    const std::string stem = SafeFileName(OutputStem(found.relativePath), book ? kNoBookName : kNoStoreName);
    input.name = book ? names.Take(stem, {".vcf", ".csv"}) : names.Take(stem, {mbox ? ".mbox" : "", foundOnly});
    inputs.push_back(std::move(input));
  }
  return inputs;
}

// Every file and folder the planned inputs would write, and the report.
std::vector<std::string> PlannedOutputs(const std::vector<InputReport>& inputs, const std::string& outFolder,
                                        const IdentityExportOptions& options) {
  std::vector<std::string> paths{JoinPath(outFolder, kReportFileName)};
  for (const InputReport& input : inputs) {
    if (input.kind == InputKind::kAddressBook) {
      for (const ContactFormat format : {ContactFormat::kVCard, ContactFormat::kCsv})
        paths.push_back(JoinPath(outFolder, input.name + "." + ContactExtension(format)));
    } else {
      paths.push_back(OutputPath(outFolder, input, false, options));
      paths.push_back(OutputPath(outFolder, input, true, options));
    }
  }
  return paths;
}

// Makes a new folder `name` in `parent`, numbered "name (2)" and on when taken;
// its path, or empty with `error` set.
std::string MakeNewSubfolder(const std::string& parent, const std::string& name, std::string& error) {
  for (int number = 1; number <= kSubfolderNumbers; ++number) {
    std::string path = JoinPath(parent, number == 1 ? name : name + " (" + std::to_string(number) + ")");
    errno = 0;
    if (exporting::CreateFolder(path)) return path;
    if (errno != EEXIST) {
      error = "cannot create the folder '" + path + "': " + std::strerror(errno);
      return {};
    }
  }
  error = "cannot create a new folder in '" + parent + "': '" + name + "' and its numbered names are all taken";
  return {};
}

void WriteReport(const std::string& folder, IdentityExportResult& result) {
  std::string text;
  for (const char c : IdentityReportText(folder, result)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  OutputFile report;
  std::string error;
  const std::string path = JoinPath(result.outFolder, kReportFileName);
  if (report.Create(path, Collision::kRefuse, error) && report.Write(text) && report.Finish(error)) {
    result.reportPath = path;
  } else {
    if (error.empty()) report.Finish(error);
    result.reportProblem = error;
  }
}

}  // namespace

bool IdentityExportResult::Complete() const {
  if (!refused.empty() || stopped || !search.unreadable.empty() || !reportProblem.empty()) return false;
  for (const InputReport& input : inputs) {
    if (input.state != InputState::kDone) return false;
  }
  return true;
}

IdentityExportResult ExportIdentity(const std::string& folder, const std::string& outFolder,
                                    const IdentityExportOptions& options, IdentityExportProgress& progress) {
  IdentityExportResult result;
  result.outFolder = outFolder;
  std::string cause;
  if (KindOf(folder, &cause) != PathKind::kFolder) {
    result.refused = cause.empty() ? "'" + folder + "' is not a folder" : "cannot open '" + folder + "': " + cause;
    return result;
  }
  if (IsSameOrInside(FullPath(outFolder), FullPath(folder))) {
    result.refused = "the output folder '" + outFolder + "' lies inside the folder '" + folder +
                     "' that is read; choose one outside it";
    return result;
  }
  result.search = SearchFolder(folder);
  if (result.search.files.empty()) {
    result.refused = "no IncrediMail files (.imh, .imm, .imb) in the folder '" + folder + "'";
    if (!result.search.unreadable.empty()) result.refused += " that could be read";
    return result;
  }
  if (!MakeFolders(outFolder, cause)) {
    result.refused = cause;
    return result;
  }
  if (!options.subfolder.empty()) {
    result.outFolder = MakeNewSubfolder(outFolder, options.subfolder, cause);
    if (result.outFolder.empty()) {
      result.outFolder = outFolder;
      result.refused = cause;
      return result;
    }
  }
  result.inputs = Plan(result.search, options);
  // Refused as a whole rather than input by input: a folder used before
  // would otherwise fail every input and keep its old report.
  for (const std::string& path : PlannedOutputs(result.inputs, result.outFolder, options)) {
    if (KindOf(path) == PathKind::kMissing) continue;
    result.refused = "'" + path + "' exists already, and nothing is ever overwritten: choose an output folder " +
                     "that is new or empty";
    result.inputs.clear();
    return result;
  }
  progress.Planned(result.inputs);
  std::vector<std::int64_t> sizes;
  std::int64_t total = 0;
  for (const FoundFile& found : result.search.files) {
    sizes.push_back(SizeOf(found.file.kind == FileKind::kAddressBook ? found.file.path : found.file.storePath));
    total += sizes.back();
  }
  Overall overall(progress, total);
  const ExportRun run{result.outFolder, options, progress, overall};
  std::int64_t done = 0;
  for (std::size_t i = 0; i < result.inputs.size(); ++i) {
    if (progress.StopRequested()) {
      result.stopped = true;
      break;
    }
    InputReport& input = result.inputs[i];
    const FoundFile& found = result.search.files[i];
    input.state = InputState::kRunning;
    progress.InputStarted(i, input);
    if (input.kind == InputKind::kAddressBook) {
      ExportAddressBook(found, result.outFolder, options, input);
    } else {
      ExportStore(found, {i, done, sizes[i]}, run, input);
    }
    progress.InputFinished(i, input);
    if (input.state == InputState::kStopped) {
      result.stopped = true;
      break;
    }
    done += sizes[i];
    overall.Report(done);
  }
  WriteReport(folder, result);
  return result;
}

}  // namespace tessel::moving
