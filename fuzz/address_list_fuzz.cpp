// Address lists of any bytes: every mailbox has a name or an address, and the
// readable list is UTF-8.
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
  return 0;
}
