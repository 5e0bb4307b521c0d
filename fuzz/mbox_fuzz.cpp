// The mbox writer read back: any message, handed over in chunks cut where the
// input says, must come back from its mboxrd quoting byte for byte (CR LF as
// LF unless kept, and a last line end added), behind one "From " line, with
// no line of its own that a reader would take for the next message.
#include <string>

#include "export/mbox_format.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

namespace {

// What the writer should keep: CR LF made LF unless kept, a lone CR kept, and
// the last line ended.
std::string Expected(std::string_view message, bool keepCrLf) {
  std::string text;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (!keepCrLf && message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') continue;
    text += message[i];
  }
  if (!text.empty() && text.back() != '\n') text += '\n';
  return text;
}

// Undoes mboxrd quoting: one ">" less before each line of ">"s and "From ".
std::string Unquoted(std::string_view body) {
  std::string text;
  std::size_t line = 0;
  while (line < body.size()) {
    const std::size_t end = std::min(body.find('\n', line), body.size() - 1) + 1;
    std::string_view current = body.substr(line, end - line);
    FUZZ_CHECK(current.substr(0, 5) != "From ");
    const std::size_t quotes = current.find_first_not_of('>');
    if (quotes != 0 && quotes != std::string_view::npos && current.substr(quotes, 5) == "From ")
      current.remove_prefix(1);
    text += current;
    line = end;
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel;
  fuzz::FuzzInput input(data, size);
  const std::uint8_t settings = input.Byte();
  const bool keepCrLf = (settings & 1) != 0;
  const std::size_t chunk = 1 + (settings >> 1);
  const std::string_view message = input.Rest();

  const std::size_t headerEnd = message.find("\r\n\r\n");
  std::string out = exporting::MboxFromLine(message.substr(0, headerEnd));
  FUZZ_CHECK(out.compare(0, 5, "From ") == 0 && out.find('\n') == out.size() - 1);
  const std::size_t fromLine = out.size();
  exporting::MboxQuoter quoter(keepCrLf);
  for (std::size_t at = 0; at < message.size(); at += chunk) quoter.Append(out, message.substr(at, chunk));
  quoter.Finish(out);

  // The message, then the empty line that parts it from the next.
  FUZZ_CHECK(out.size() > fromLine && out.back() == '\n');
  const std::string_view body = std::string_view(out).substr(fromLine, out.size() - fromLine - 1);
  FUZZ_CHECK(Unquoted(body) == Expected(message, keepCrLf));
  return 0;
}
