// Where messages start in a store's bytes, for the deep scan: recognised by
// their header blocks rather than by one exact text.
//
// The rules, drawn from real mail:
// - A header block is a run of CR LF-ended lines, each a header line ("Name:"
//   with a name of printable ASCII other than ":" and space) or a continuation
//   line (starting with a space or a tab), that begins at a line start and ends
//   at an empty line (or, after three header lines or more, at the first line
//   that is neither: mail that forgot the empty line). A mailbox "From " line
//   right before it belongs to it.
// - A message starts at the first line of a header block (the same walk back
//   as the raw scan's) that holds at least two header lines, one of them a
//   line that opens real messages: MIME-Version, Return-Path, Received,
//   Delivered-To, Message-ID, From, Sender, Date or Reply-To, in any letter
//   case. A MIME part's own header (Content-Type, Content-Transfer-Encoding,
//   Content-Disposition) opens no message, nor does a lone "Note: ..." line.
// - Inside the text body of a message (one that declares no multipart
//   boundary, or the last part of one whose closing delimiter is lost) a
//   header block starts a message only when it looks like a stored one: it
//   holds a line that readers never copy when they forward or answer as text
//   (anything but From, Sent, Date, To, Cc, Bcc, Subject, Reply-To, Sender,
//   Importance, Attachments: a Received, a Message-ID, a Content-Type...), or a
//   mailbox "From " line stands right before it. "From: x" and "Date: y" under
//   "-----Original Message-----" belong to the message they stand in. Stored
//   mail always carries such a line (the server's Received and Message-ID,
//   the sender's MIME-Version); only hand-made mail does not, and it is found
//   where no body is open: at the start of the store or of the bytes after an
//   index record, and after a multipart message's closing delimiter.
// - A message whose header declares a multipart boundary owns every byte up to
//   that boundary's closing delimiter ("--" boundary "--"): header blocks
//   before it belong to an attached or forwarded message, or a quoted one, and
//   start nothing, however deep the parts nest (a multipart inside a part, an
//   attached message that is itself multipart): only the outer boundary's
//   closing delimiter ends the message, and a delimiter whose boundary runs on
//   ("--outer_2") is another one. Without a closing delimiter
//   it owns up to its last delimiter line before a message that declares the
//   same boundary itself; a body that holds a message start before its first
//   delimiter line owns nothing (the boundary text is some later message's).
//   A top-level message/rfc822 body is read through to the attached message's
//   own boundary, or its text body. Right after a closing delimiter a line
//   starts even without a line end: a message stored without a final line end
//   has the next one glued to its last line.
// - A header block right after a MIME part's header (a "--" delimiter line,
//   header lines, an empty line) is the body of that part: a forwarded or
//   bounced message's header, even when the boundary that says so is lost.
// - Not caught: a quoted header that carries a stored message's lines (a full
//   header pasted as text into a plain body) starts a message of its own; a
//   hand-made message glued to a text body stays inside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessel {

// How far a header block may reach, back from a line or forward from its start.
constexpr std::int64_t kHeaderBlockReach = 65536;

// True for the header names (without the colon) that open real messages.
bool IsMessageOpeningName(std::string_view name);

// A header block read forward from the first byte of `bytes`.
struct HeaderBlock {
  bool found = false;
  std::int64_t size = 0;         // through the empty line that ends it
  int headerLines = 0;           // lines with a name, continuations not counted
  bool opensMessage = false;     // one of its names is a message-opening one
  bool quotable = true;          // every name is one that readers copy into a quote
  std::string boundary;          // the multipart boundary its Content-Type declares
  bool attachedMessage = false;  // its Content-Type is message/rfc822
};

// Reads the header block at the start of `bytes`. `atEnd` says that `bytes`
// runs to the end of the store, where a block may end without an empty line.
HeaderBlock ReadHeaderBlock(std::string_view bytes, bool atEnd);

// True for the header names that readers copy when they quote a message as text.
bool IsQuotedName(std::string_view name);

// True when the block may start a message found in the store's bytes.
inline bool StartsMessage(const HeaderBlock& block) {
  return block.found && block.opensMessage && block.headerLines >= 2;
}

// True when the block may start a message inside another one's text body.
inline bool StartsMessageInBody(const HeaderBlock& block) { return StartsMessage(block) && !block.quotable; }

}  // namespace tessel
