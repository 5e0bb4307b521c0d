// Messages as one mbox file in the mboxrd form that common mail clients
// import: a "From " line before each message, and one more ">" before every
// line that begins with "From ", ">From ", ">>From " and so on, so the quoting
// can be undone exactly. The message's own bytes, line endings included, are
// otherwise written as they are.
#pragma once

#include <string>
#include <string_view>

namespace tessel::cli {

// The separator line that opens a message ("From sender date" and LF); the
// sender is the address of the message's From cell, or MAILER-DAEMON.
std::string MboxFromLine(std::string_view fromCell);

// Quotes one message that arrives in chunks.
class MboxQuoter {
 public:
  void Append(std::string& out, std::string_view bytes);
  // Ends the message: completes its last line and adds the empty line that
  // separates it from the next one.
  void Finish(std::string& out);

 private:
  bool atLineStart_ = true;
  std::string held_;        // a line's start that may still become a quoted "From "
  size_t fromMatched_ = 0;  // bytes of "From " matched at the end of held_
  char last_ = '\n';
};

}  // namespace tessel::cli
