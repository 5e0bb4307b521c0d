#include "export/contact_formats.h"
#include "export/output_file.h"

namespace tessel::exporting {
namespace {
constexpr size_t kWriteAt = 1 << 16;
}

bool ParseContactFormat(const std::string& name, ContactFormat fallback, ContactFormat& format) {
  if (name.empty()) {
    format = fallback;
  } else if (name == "txt") {
    format = ContactFormat::kText;
  } else if (name == "csv") {
    format = ContactFormat::kCsv;
  } else if (name == "vcf") {
    format = ContactFormat::kVCard;
  } else {
    return false;
  }
  return true;
}

const char* ContactExtension(ContactFormat format) {
  switch (format) {
    case ContactFormat::kCsv:
      return "csv";
    case ContactFormat::kVCard:
      return "vcf";
    case ContactFormat::kText:
      break;
  }
  return "txt";
}

bool WriteContactsFile(const std::vector<ContactRow>& rows, const std::string& path, ContactFormat format,
                       const CodePage& page, ContactsWritten& written, std::string& error,
                       const std::atomic<int>* stopRequested) {
  OutputFile file;
  if (!file.Create(path, Collision::kRefuse, error)) return false;
  std::string text;
  if (format == ContactFormat::kCsv) AppendContactCsvHeader(text);
  for (size_t i = 0; i < rows.size(); ++i) {
    // A stopped save leaves no file that ends early but looks whole: the file
    // goes unfinished, which removes it.
    if (stopRequested != nullptr && stopRequested->load() != 0) {
      error = "stopped before '" + file.Path() + "' was complete; it is removed";
      return false;
    }
    const CellRow& cells = rows[i].cells;
    if (IsBlankContact(cells)) {
      ++written.blank;
      continue;
    }
    switch (format) {
      case ContactFormat::kText:
        // As the Windows program writes AddBook.txt: the stored bytes.
        AppendContactText(text, static_cast<long long>(i) + 1, cells);
        break;
      case ContactFormat::kCsv:
        AppendContactCsvRow(text, cells, page);
        break;
      case ContactFormat::kVCard:
        AppendVCard(text, cells, page);
        break;
    }
    ++written.contacts;
    // Written as it gathers, some 64 KiB at a time: the text of a large book is
    // never held beside its rows.
    if (text.size() >= kWriteAt) {
      file.Write(text);
      text.clear();
    }
  }
  file.Write(text);
  return file.Finish(error);
}

}  // namespace tessel::exporting
