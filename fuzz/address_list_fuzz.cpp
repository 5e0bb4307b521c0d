// Address lists of any bytes: every mailbox has a name or an address, the
// readable list is UTF-8, and the quick road for one mailbox agrees with the
// general one.
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "mail/address_list.h"
#include "mail/charset_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::vector<Mailbox> mailboxes = ParseAddressList(raw, nullptr, SystemCharsets());
  for (const Mailbox& mailbox : mailboxes) FUZZ_CHECK(!mailbox.name.empty() || !mailbox.address.empty());
  FUZZ_CHECK(IsValidUtf8(FormatMailboxes(mailboxes)));
  // A trailing comma adds no mailbox but takes the general road: the quick
  // road for a single mailbox must read it the same (when no quote, comment
  // or angle bracket is left open to swallow the comma).
  bool quoted = false, inAngle = false;
  for (const char c : raw) {
    if (quoted) {
      quoted = c != '"';
    } else if (inAngle) {
      inAngle = c != '>';  // quotes inside the brackets are the address's own
    } else {
      quoted = c == '"';
      inAngle = c == '<';
    }
  }
  if (!quoted && !inAngle && raw.find_first_of("\\()") == std::string_view::npos) {
    const std::string general = FormatMailboxes(ParseAddressList(std::string(raw) + ",", nullptr, SystemCharsets()));
    FUZZ_CHECK(general == FormatMailboxes(mailboxes));
  }
  return 0;
}
