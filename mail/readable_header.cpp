#include "mail/readable_header.h"

#include <initializer_list>
#include <optional>

#include "mail/address_list.h"
#include "mail/content_type.h"
#include "mail/encoded_words.h"
#include "mail/header_block.h"
#include "mail/mail_date.h"

namespace tessel::mail {
namespace {

// Tabs and line ends left in a field by broken folding read as spaces.
void SpaceOut(std::string& text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
}

bool HasEightBitBytes(std::initializer_list<const HeaderField*> fields) {
  for (const HeaderField* field : fields) {
    if (field == nullptr) continue;
    for (const char c : field->raw) {
      if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
  }
  return false;
}

}  // namespace

ReadableHeader ReadHeader(std::string_view headerBlock, CharsetPort& port) {
  static constexpr std::string_view kNames[] = {"From", "To", "Subject", "Date", "Cc", "Content-Type"};
  const HeaderBlock header(headerBlock, kNames);
  const HeaderField* from = header.Find("From");
  const HeaderField* to = header.Find("To");
  const HeaderField* subject = header.Find("Subject");
  const HeaderField* date = header.Find("Date");
  const HeaderField* cc = header.Find("Cc");
  // Undeclared 8-bit bytes that are not UTF-8 are read in the message's own
  // charset; most headers have none, and need no look at it.
  Charset declared;
  const Charset* fallback = nullptr;
  const HeaderField* type = header.Find("Content-Type");
  if (type != nullptr && HasEightBitBytes({from, to, subject, date, cc})) {
    if (FindCharset(ParseHeaderValue(type->Value(), port).Parameter("charset"), declared)) fallback = &declared;
  }
  ReadableHeader out;
  std::string unfolded;
  const auto addresses = [&](const HeaderField* field, std::string& cell) {
    if (field == nullptr) return;
    cell = FormatMailboxes(ParseAddressList(field->Value(unfolded), fallback, port));
    SpaceOut(cell);
  };
  addresses(from, out.from);
  addresses(to, out.to);
  addresses(cc, out.cc);
  if (subject != nullptr) {
    out.subject = DecodeHeaderText(subject->Value(unfolded), fallback, port);
    SpaceOut(out.subject);
  }
  if (date != nullptr) {
    const std::string_view text = date->Value(unfolded);
    if (const std::optional<MailDate> read = ParseMailDate(text)) {
      out.date = FormatLocal(*read);
      out.dateUtc = FormatUtc(*read);
    } else {
      out.date = DecodeHeaderText(text, fallback, port);
      SpaceOut(out.date);
    }
  }
  return out;
}

}  // namespace tessel::mail
