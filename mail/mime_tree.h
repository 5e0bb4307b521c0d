// A message's MIME structure: its parts, nested multiparts and attached
// messages, each with its type, name and encoded body, and what a person
// reads of it: the body's text and the list of attachments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/charset_port.h"
#include "mail/content_type.h"

namespace tessel::mail {

struct MimePart {
  std::string_view header;         // the part's header block
  std::string_view body;           // its body, still encoded
  HeaderValue type;                // "text/plain" when not given
  std::string disposition;         // "attachment", "inline" or empty
  std::string name;                // the file name it gives, decoded; may be empty
  std::string encoding;            // Content-Transfer-Encoding, lower case
  std::vector<MimePart> children;  // a multipart's parts, or an attached message
};

// Views into `message`, which must outlive the tree. Nesting deeper than a
// few dozen levels is read as one part.
MimePart ParseMime(std::string_view message, CharsetPort& port);

// A part's body with its transfer encoding undone.
std::string DecodedBody(const MimePart& part);

struct Attachment {
  const MimePart* part;
  std::string name;  // its name, or one made from its type ("attachment 2.pdf", "message.eml")
  std::size_t size;  // decoded bytes
};

// What a person reads of a message: the text of its body (the text/plain part,
// or an HTML-only body as text) and its attachments in order.
struct MessageText {
  std::string body;
  std::vector<Attachment> attachments;
};

MessageText ReadMessageText(const MimePart& root, CharsetPort& port);

}  // namespace tessel::mail
