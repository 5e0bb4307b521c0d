// The list's four header cells as a person reads them, from a message's whole
// header block: From and To as "Name <address>", Subject decoded and
// unfolded, Date in its own zone (or as written when it cannot be read).
#pragma once

#include <string>
#include <string_view>

#include "mail/charset_port.h"

namespace tessel::mail {

struct ReadableHeader {
  std::string from;
  std::string subject;
  std::string to;
  std::string cc;       // for the message view; not a list cell
  std::string date;     // "2003-03-04 10:00 +0100", the field's text when unreadable, empty when absent
  std::string dateUtc;  // "2003-03-04T09:00:00Z"; empty unless the date was read
};

ReadableHeader ReadHeader(std::string_view headerBlock, CharsetPort& port);

}  // namespace tessel::mail
