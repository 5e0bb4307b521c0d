#include "mail/readable_header.h"

#include <optional>

#include "mail/address_list.h"
#include "mail/content_type.h"
#include "mail/encoded_words.h"
#include "mail/header_block.h"
#include "mail/mail_date.h"

namespace tessel::mail {
namespace {

// Tabs and line ends left in a field by broken folding read as spaces.
std::string SpacedOut(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace

ReadableHeader ReadHeader(std::string_view headerBlock, CharsetPort& port) {
  const HeaderBlock header(headerBlock);
  // Undeclared 8-bit bytes that are not UTF-8 are read in the message's own charset.
  Charset declared;
  const Charset* fallback = nullptr;
  if (const std::string* type = header.Find("Content-Type")) {
    if (FindCharset(ParseHeaderValue(*type, port).Parameter("charset"), declared)) fallback = &declared;
  }
  ReadableHeader out;
  if (const std::string* from = header.Find("From")) {
    out.from = SpacedOut(FormatMailboxes(ParseAddressList(*from, fallback, port)));
  }
  if (const std::string* to = header.Find("To"))
    out.to = SpacedOut(FormatMailboxes(ParseAddressList(*to, fallback, port)));
  if (const std::string* subject = header.Find("Subject")) {
    out.subject = SpacedOut(DecodeHeaderText(*subject, fallback, port));
  }
  if (const std::string* date = header.Find("Date")) {
    if (const std::optional<MailDate> read = ParseMailDate(*date)) {
      out.date = FormatLocal(*read);
      out.dateUtc = FormatUtc(*read);
    } else {
      out.date = SpacedOut(DecodeHeaderText(*date, fallback, port));
    }
  }
  return out;
}

}  // namespace tessel::mail
