// Header text of any bytes, with any declared charset: the text is UTF-8, and
// text with no "=?" and no 8-bit bytes comes back as it was.
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "mail/charset_text.h"
#include "mail/encoded_words.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::mail;
  tessel::fuzz::FuzzInput input(data, size);
  const std::string_view declared = input.Take(input.Byte() % 16);
  const std::string_view raw = input.Rest();
  Charset charset;
  const bool known = FindCharset(declared, charset);
  const std::string text = DecodeHeaderText(raw, known ? &charset : nullptr, SystemCharsets());
  FUZZ_CHECK(IsValidUtf8(text));
  bool plain = raw.find("=?") == std::string_view::npos;
  for (const char c : raw) plain = plain && static_cast<unsigned char>(c) < 0x80;
  FUZZ_CHECK(!plain || text == raw);
  // The JIS recodings never read past the end (the sanitizers tell) and give one byte or pair per input.
  FUZZ_CHECK(Iso2022JpToShiftJis(raw).size() <= raw.size());
  FUZZ_CHECK(EucJpToShiftJis(raw).size() <= raw.size());
  return 0;
}
