// The header block and the readable cells of any bytes: the block ends within
// the input and the limit, every field name is non-empty, and every cell is UTF-8.
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "mail/charset_text.h"
#include "mail/header_block.h"
#include "mail/readable_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t length = HeaderBlockLength(bytes);
  FUZZ_CHECK(length <= bytes.size() && length <= kMaxHeaderBlock);
  const HeaderBlock block(bytes.substr(0, length));
  for (const HeaderField& field : block.Fields()) FUZZ_CHECK(!field.name.empty());
  const ReadableHeader header = ReadHeader(bytes.substr(0, length), SystemCharsets());
  for (const std::string* cell : {&header.from, &header.subject, &header.to, &header.date, &header.dateUtc}) {
    FUZZ_CHECK(IsValidUtf8(*cell));
  }
  return 0;
}
