// Content-Type and Content-Disposition values of any bytes: the type is lower
// case, parameter names are non-empty lower case, and values are UTF-8.
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "mail/charset_text.h"
#include "mail/content_type.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const HeaderValue value = ParseHeaderValue(raw, SystemCharsets());
  for (const char c : value.value) FUZZ_CHECK(!(c >= 'A' && c <= 'Z'));
  for (const auto& [name, text] : value.parameters) {
    FUZZ_CHECK(!name.empty());
    for (const char c : name) FUZZ_CHECK(!(c >= 'A' && c <= 'Z'));
    FUZZ_CHECK(IsValidUtf8(text));
  }
  return 0;
}
