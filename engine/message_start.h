// Where messages start in a store's bytes, for the deep scan: recognised by
// their header blocks rather than by one exact text.
//
// The rules, drawn from real mail, each with why:
// - Lines end in LF, with or without a CR before it: a store copied through a
//   tool that converted its line ends still holds its messages.
// - A header line is a name (printable ASCII other than ":" and space) and a
//   ":" that is not followed by "//": "http://..." under a line "From: Ann
//   <ann@...>" in a body is a link, not a header.
// - A header block is a run of header lines and continuation lines (starting
//   with a space or a tab) that ends at an empty line, or, after three header
//   lines or more, at the first line that is neither (mail that forgot the
//   empty line). It begins with a header line: a message that ends in an
//   indented or whitespace-only line ("  Neil") keeps it, since a header
//   never opens with a continuation. Above its first line that opens
//   messages, only fields join it: a line with a value (on it or on the
//   continuation lines below) that does not end in a quoted-printable soft
//   break. A form's labels ("Address:", "Email:") and a style sheet's lines
//   in quoted-printable text ("margin-left:0 !important;=") at the end of a
//   body stay with that body. A mailbox "From " line right before it
//   belongs to it; such a line holds a time ("From ann@example.org Mon Oct  7
//   10:00:00 2002"), which a body line that begins with "From " seldom does.
// - A "Return-Path:" line opens its header block: delivery puts it on top, so
//   header-shaped lines above it ("Phone: ..." under a signature) end the
//   message before.
// - A message starts at the first line of a header block that holds at least
//   two header lines, one of them a line real messages open with:
//   MIME-Version, Return-Path, Received, Delivered-To, Message-ID, Date, and
//   From, Sender or Reply-To when the line holds an address ("@"), in any
//   letter case. A body line "From: Ann" is a signature or a quote, not a sender.
// - A feed item's "URL:" and "Date:" lines open nothing: they stand at the
//   top of the text body of each item that a news reader mails.
// - A MIME part's own header (Content-Type, Content-Transfer-Encoding,
//   Content-Disposition) opens no message, nor does a lone "Note: ..." line.
// - Inside the text body of a message (one that declares no multipart
//   boundary) a header block starts a message only when it looks like a
//   stored one: it holds a line that servers and mail programs add and that
//   readers never copy when they forward or answer as text: Return-Path,
//   Received, Delivered-To, Message-ID, MIME-Version, Content-Type or
//   X-Mailer; or a mailbox "From " line stands right before it. "From: x" and
//   "Date: y" under "-----Original Message-----", "Forwarded-by:" or
//   "User-Agent:" lines belong to the message they stand in. Only hand-made
//   mail lacks such a line, and it is found where no body is open: at the
//   start of the store or of the bytes after an index record, and after a
//   multipart message's closing delimiter.
// - A stored message's block may start inside a line, right after the last
//   line of a message stored without a final line end ("...listReturn-Path:"),
//   when it begins with a name that only stored mail carries (Return-Path,
//   Received, Delivered-To, Message-ID, MIME-Version) and is a stored one.
// - A message whose header declares a multipart boundary owns every byte up
//   to that boundary's closing delimiter ("--" boundary "--"); a delimiter
//   whose boundary runs on ("--outer_2") is another one. Header blocks before
//   it belong to an attached, forwarded or quoted message, however deep the
//   parts nest. When no closing delimiter comes before the next stored
//   message's header block (one that starts a message inside a text body),
//   the multipart ends there: its closing delimiter is lost, and looking for
//   it further would cost a search of the rest of the store for each such
//   message. A top-level message/rfc822 body is read through to the attached
//   message's own boundary, or its text body. Right after a closing delimiter
//   a line starts even without a line end.
// - A delivery status report's fields (message/delivery-status) are no
//   message's header: the next message starts after them, also without an
//   empty line before it.
// - A header block right after a MIME part's header (a delimiter line "--"
//   and a boundary of the characters boundaries hold, so not an HTML
//   comment's "-->", header lines, an empty line) is the body of that part: a
//   forwarded or bounced message's header, even when the boundary that says
//   so is lost. A signature separator "-- " is no delimiter line: header-shaped
//   lines under it ("Phone: ...") are no part header.
// - A store that ends inside a header line keeps that line in the header.
// - A record the index gives may open with empty lines or lines of spaces.
// - Not caught: a quoted header that carries a stored message's lines (a full
//   header pasted as text into a plain body, as bounces do) starts a message
//   of its own; a hand-made message glued to a text body stays inside it.
#pragma once

#include <cstddef>
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
  std::int64_t size = 0;         // through the empty line that ends it; when not found, the
                                 // header lines read before the bytes given ran out
  int headerLines = 0;           // lines with a name, continuations not counted
  bool opensMessage = false;     // one of its lines opens messages
  bool stored = false;           // one of its names is one only stored mail carries
  std::string boundary;          // the multipart boundary its Content-Type declares
  bool attachedMessage = false;  // its Content-Type is message/rfc822
  bool deliveryStatus = false;   // its Content-Type is message/delivery-status
};

// Reads the header block at the start of `bytes`. `atEnd` says that `bytes`
// runs to the end of the store, where a block may end without an empty line.
HeaderBlock ReadHeaderBlock(std::string_view bytes, bool atEnd);

// The header lines at the start of a record the index gives (after empty
// lines, lines of spaces or a mailbox "From " line), read as far as they run:
// its header may be damaged further down, or longer than any block the search
// reads. `opens`: one of them is a name that opens messages.
struct LeadingHeader {
  int headerLines = 0;
  bool opens = false;
  bool closed = false;  // they end at an empty line
  bool runsOn = false;  // header lines up to the end of the bytes given
};
LeadingHeader ReadLeadingHeader(std::string_view bytes);

// How many bytes at the start of `bytes` are a delivery status report's
// body: groups of fields, none of them a name that opens messages, and the
// empty lines between them. The next message starts after them, even when no
// empty line comes before it.
std::size_t DeliveryStatusSize(std::string_view bytes);

// Where the colon after a header line's name stands, or npos when `line` is
// no header line.
std::size_t HeaderNameColon(std::string_view line);

// The header block's first line, in `before`, which ends at a line start:
// back over header and continuation lines while they last, to the topmost
// header line. `before` starting at a line start is `startsLine`.
std::size_t HeaderBlockBegin(std::string_view before, bool startsLine);

// How many bytes at the end of `token` (the text before a colon, within a
// line) are a name that only stored mail carries, 0 when none: where a message
// glued to the last line of the one before starts.
std::size_t GluedStoredName(std::string_view token);

// True for a mailbox "From " line (the line, up to its line end or further).
bool IsMailboxFromLine(std::string_view line);

// True when the block may start a message found in the store's bytes.
inline bool StartsMessage(const HeaderBlock& block) {
  return block.found && block.opensMessage && block.headerLines >= 2;
}

// True when the block may start a message inside another one's text body.
inline bool StartsMessageInBody(const HeaderBlock& block) { return StartsMessage(block) && block.stored; }

}  // namespace tessel
