// The MIME tree and the text of any message: the body text is UTF-8, and every
// attachment's part lies within the message with its size its decoded length.
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "mail/charset_text.h"
#include "mail/mime_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  const std::string_view message(reinterpret_cast<const char*>(data), size);
  const MimePart root = ParseMime(message, SystemCharsets());
  const MessageText text = ReadMessageText(root, SystemCharsets());
  FUZZ_CHECK(IsValidUtf8(text.body));
  for (const Attachment& attachment : text.attachments) {
    const std::string_view body = attachment.part->body;
    FUZZ_CHECK(body.empty() || (body.data() >= message.data() && body.data() + body.size() <= message.data() + size));
    FUZZ_CHECK(DecodedBody(*attachment.part).size() == attachment.size && !attachment.name.empty());
  }
  return 0;
}
