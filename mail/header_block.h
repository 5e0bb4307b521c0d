// A message's header block as a person's mail program reads it: every field up
// to the empty line, however many relay lines come first, folded lines joined.
#pragma once

#include <cstddef>
#include <span>
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

// A field as it stands in the block: views into the block's bytes.
struct HeaderField {
  std::string_view name;  // as written
  std::string_view raw;   // after the colon, folded lines and all
  // The value unfolded (line ends before a space or tab removed) and trimmed.
  std::string Value() const;
  // The same, as a view of the field's own bytes when it was not folded (most
  // are), else of `storage`.
  std::string_view Value(std::string& storage) const;
};

class HeaderBlock {
 public:
  // Reads the fields of `block` (its first kMaxHeaderBlock bytes at most),
  // which must outlive this; a line that is neither a field nor a
  // continuation is passed over.
  explicit HeaderBlock(std::string_view block);
  // Only the first field of each of `names` (the list's cells read five of dozens).
  HeaderBlock(std::string_view block, std::span<const std::string_view> names);

  // The first field of that name (any case); nullptr when absent.
  const HeaderField* Find(std::string_view name) const;
  const std::vector<HeaderField>& Fields() const { return fields_; }

 private:
  std::vector<HeaderField> fields_;
};

// True when `a` and `b` are equal but for ASCII case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tessel::mail
