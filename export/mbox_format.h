// Messages as one mbox file in the mboxrd form that common mail programs
// import: a "From " line before each message, and one more ">" before every
// line that begins with "From ", ">From ", ">>From " and so on, so the quoting
// can be undone exactly. mbox is a Unix format: the messages' CR LF line ends
// become LF unless the stored bytes are to be kept as they are.
#pragma once

#include <string>
#include <string_view>

namespace tessel::exporting {

// The line that opens a message, "From SENDER DATE" and LF, made from its
// header block. The sender is the address of Return-Path, else of From, else
// MAILER-DAEMON; the date (UTC) is the Date field's, else the first Received
// field's (the text after its last ";"), else the epoch, so that programs
// that sort by this line do not show 1970 for dated mail.
std::string MboxFromLine(std::string_view header);

// Quotes one message that arrives in chunks.
class MboxQuoter {
 public:
  // `keepCrLf`: write the stored line ends as they are.
  explicit MboxQuoter(bool keepCrLf = false) : keepCrLf_(keepCrLf) {}
  void Append(std::string& out, std::string_view bytes);
  // Ends the message: completes its last line and adds the empty line that
  // separates it from the next one.
  void Finish(std::string& out);

 private:
  void Put(std::string& out, char c);

  bool keepCrLf_;
  bool pendingCr_ = false;  // a CR that an LF may follow in the next chunk
  bool atLineStart_ = true;
  std::string held_;        // a line's start that may still become a quoted "From "
  size_t fromMatched_ = 0;  // bytes of "From " matched at the end of held_
  char last_ = '\n';
};

}  // namespace tessel::exporting
