// A message's header block as a person's mail program reads it: every field up
// to the empty line, however many relay lines come first, folded lines joined.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::mail {

// The most of a message read as its header: a header longer than this is cut.
constexpr std::size_t kMaxHeaderBlock = std::size_t{1} << 20;

// The length of the header block at the start of `message`: up to and with
// the line end before its empty line; the whole of it (at most
// kMaxHeaderBlock) when there is no empty line.
std::size_t HeaderBlockLength(std::string_view message);

struct HeaderField {
  std::string name;   // as written
  std::string value;  // after the colon, unfolded (line ends before a space or tab removed), trimmed
};

class HeaderBlock {
 public:
  // Reads the fields of `block` (its first kMaxHeaderBlock bytes at most); a
  // line that is neither a field nor a continuation is passed over.
  explicit HeaderBlock(std::string_view block);

  // The value of the first field of that name (any case); nullptr when absent.
  const std::string* Find(std::string_view name) const;
  const std::vector<HeaderField>& Fields() const { return fields_; }

 private:
  std::vector<HeaderField> fields_;
};

// True when `a` and `b` are equal but for ASCII case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tessel::mail
