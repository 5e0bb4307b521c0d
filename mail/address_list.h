// From, To and Cc as a person reads them: each mailbox's display name decoded
// and its address, groups opened up, comments dropped (or taken as the name,
// as in the old "address (Name)").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/charset_names.h"
#include "mail/charset_port.h"

namespace tessel::mail {

struct Mailbox {
  std::string name;     // decoded display name; may be empty
  std::string address;  // as written; may be empty when the field names only a person
};

std::vector<Mailbox> ParseAddressList(std::string_view raw, const Charset* fallback, CharsetPort& port);

// "Name <address>" or the address alone, several joined by ", ".
std::string FormatMailboxes(const std::vector<Mailbox>& mailboxes);

}  // namespace tessel::mail
