// HTML bodies of any UTF-8 text: the text is UTF-8 and never ends in space.
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "mail/charset_text.h"
#include "mail/html_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!IsValidUtf8(bytes)) return 0;
  const std::string text = HtmlToText(bytes);
  FUZZ_CHECK(IsValidUtf8(text));
  FUZZ_CHECK(text.empty() || (text.back() != ' ' && text.back() != '\n'));
  return 0;
}
