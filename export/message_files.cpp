#include "export/message_files.h"

#include <cstdint>
#include <string_view>

#include "export/mail_header.h"
#include "export/mbox_format.h"
#include "export/output_file.h"

namespace tessel::exporting {
namespace {

// Bytes of a record read for the fields of its mbox "From " line.
constexpr std::int64_t kHeaderLimit = 65536;

// True once `head` holds a whole header block (its empty line is in).
bool HeaderComplete(std::string_view head) { return HeaderBlock(head).size() < head.size(); }

bool NothingRead(const RecordCopy& copy) { return copy.end == RecordCopy::End::kEndedEarly && copy.copied == 0; }

}  // namespace

bool WriteEmlFile(const std::string& path, ByteReader& store, const MessageRecord& record, RecordCopy& copy,
                  std::string& error) {
  OutputFile file;
  if (!file.Create(path, Collision::kRefuse, error)) return false;
  copy = CopyMessageRecord(store, record, file);
  // A copy that read nothing leaves no empty file that could pass for the message.
  if (NothingRead(copy)) return true;  // the unfinished file is removed
  return file.Finish(error);
}

// The record is read once: its first bytes wait until the header block that
// the "From " line is made of is in.
bool AppendMboxMessage(OutputFile& mbox, bool keepCrLf, ByteReader& store, const MessageRecord& record,
                       RecordCopy& copy) {
  std::string head, text;
  bool opened = false;
  MboxQuoter quoter(keepCrLf);
  const auto open = [&] {
    text = MboxFromLine(HeaderBlock(head));
    quoter.Append(text, head);
    opened = true;
  };
  copy = CopyMessageRecord(store, record, [&](const char* bytes, std::size_t count) {
    if (opened) {
      quoter.Append(text, {bytes, count});
    } else {
      head.append(bytes, count);
      if (!HeaderComplete(head) && head.size() < static_cast<std::size_t>(kHeaderLimit)) return true;
      open();
    }
    const bool written = mbox.Write(text);
    text.clear();
    return written;
  });
  if (!opened && NothingRead(copy)) return true;
  if (!opened) open();
  quoter.Finish(text);
  return copy.end != RecordCopy::End::kRefused && mbox.Write(text);
}

}  // namespace tessel::exporting
