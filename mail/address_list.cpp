#include "mail/address_list.h"

#include <optional>

#include "mail/charset_text.h"
#include "mail/encoded_words.h"

namespace tessel::mail {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return std::string(text);
}

// Runs of spaces as one space, none at the ends.
std::string Collapsed(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (!IsSpace(c)) {
      out += c;
    } else if (!out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// An address as UTF-8: mail programs put 8-bit bytes in addresses too.
std::string AddressText(std::string_view raw, const Charset* fallback, CharsetPort& port) {
  std::string text;
  AppendUndeclared(text, Collapsed(raw), fallback, port);
  return text;
}

// One mailbox's pieces, collected as its text is read.
struct Pieces {
  std::string phrase;   // words and quoted strings, unquoted
  std::string comment;  // the first comment's text
  std::string angle;    // between < and >
  bool hasAngle = false;
  bool hasComment = false;
};

void AddMailbox(Pieces& pieces, const Charset* fallback, CharsetPort& port, std::vector<Mailbox>& out) {
  Mailbox mailbox;
  if (pieces.hasAngle) {
    std::string_view address = pieces.angle;
    // An obsolete route ("@relay,@relay:user@host") is not part of the address.
    if (const std::size_t colon = address.rfind(':'); colon != std::string_view::npos) address.remove_prefix(colon + 1);
    mailbox.address = AddressText(address, fallback, port);
    mailbox.name = Collapsed(DecodeHeaderText(Trimmed(pieces.phrase), fallback, port));
  } else if (pieces.phrase.find('@') != std::string::npos) {
    std::string address;
    for (const char c : pieces.phrase) {
      if (!IsSpace(c)) address += c;
    }
    mailbox.address = AddressText(address, fallback, port);
    if (pieces.hasComment) mailbox.name = Collapsed(DecodeHeaderText(pieces.comment, fallback, port));
  } else {
    // Only a name, as broken mail has ("To: Friends"), or an encoded address.
    const std::string text = Collapsed(DecodeHeaderText(Trimmed(pieces.phrase), fallback, port));
    if (text.find('@') != std::string::npos && text.find(' ') == std::string::npos) {
      mailbox.address = text;
    } else {
      mailbox.name = text;
    }
  }
  if (mailbox.name == mailbox.address) mailbox.name.clear();
  if (!mailbox.name.empty() || !mailbox.address.empty()) out.push_back(std::move(mailbox));
  pieces = Pieces{};
}

// The usual field, one "Name <address>" or one address, read without the
// general parse; nullopt for anything else.
std::optional<Mailbox> ReadSimpleMailbox(std::string_view raw, const Charset* fallback, CharsetPort& port) {
  // A name in quotes first ("Maria Lopez" <maria@example.com>), without escapes in it.
  std::string_view quoted;
  const bool hasQuoted = !raw.empty() && raw.front() == '"';
  if (hasQuoted) {
    const std::size_t close = raw.find('"', 1);
    if (close == std::string_view::npos || raw.substr(1, close - 1).find('\\') != std::string_view::npos) {
      return std::nullopt;
    }
    quoted = raw.substr(1, close - 1);
    raw.remove_prefix(close + 1);
  }
  std::size_t angle = std::string_view::npos;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '"' || c == '(' || c == ')' || c == ',' || c == ';' || c == ':' || c == '\\' || c == '>') {
      if (c != '>' || i + 1 != raw.size() || angle == std::string_view::npos) return std::nullopt;
    } else if (c == '<') {
      if (angle != std::string_view::npos) return std::nullopt;
      angle = i;
    }
  }
  Mailbox mailbox;
  if (hasQuoted && (angle == std::string_view::npos || !Trimmed(raw.substr(0, angle)).empty())) return std::nullopt;
  if (angle == std::string_view::npos) {
    if (raw.find('@') == std::string_view::npos || Collapsed(raw).find(' ') != std::string::npos) return std::nullopt;
    mailbox.address = AddressText(raw, fallback, port);
    return mailbox;
  }
  if (raw.back() != '>') return std::nullopt;
  mailbox.address = AddressText(raw.substr(angle + 1, raw.size() - angle - 2), fallback, port);
  mailbox.name = Collapsed(DecodeHeaderText(Trimmed(hasQuoted ? quoted : raw.substr(0, angle)), fallback, port));
  if (mailbox.name == mailbox.address) mailbox.name.clear();
  return mailbox;
}

}  // namespace

std::vector<Mailbox> ParseAddressList(std::string_view raw, const Charset* fallback, CharsetPort& port) {
  std::vector<Mailbox> out;
  if (std::optional<Mailbox> simple = ReadSimpleMailbox(raw, fallback, port)) {
    if (!simple->name.empty() || !simple->address.empty()) out.push_back(std::move(*simple));
    return out;
  }
  Pieces pieces;
  int commentDepth = 0;
  bool quoted = false;
  bool inAngle = false;
  std::size_t noEndFrom = std::string_view::npos;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '=' && !quoted && commentDepth == 0 && !inAngle) {
      // An encoded word is one word of the name, whatever it holds: encoders
      // leave commas and colons in them ("=?utf-8?Q?Smith,_John?=").
      const std::size_t end = EncodedWordEnd(raw, i, noEndFrom);
      const std::string_view word = raw.substr(i, end > i ? end - i : 0);
      if (!word.empty() && word.find_first_of("<>\"") == std::string_view::npos) {
        pieces.phrase.append(word);
        i = end - 1;
        continue;
      }
    }
    if (quoted) {
      if (c == '\\' && i + 1 < raw.size()) {
        pieces.phrase += raw[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        pieces.phrase += c;
      }
    } else if (commentDepth > 0) {
      if (c == '\\' && i + 1 < raw.size()) {
        ++i;
        if (commentDepth == 1 && !pieces.hasComment) pieces.comment += raw[i];
      } else if (c == '(') {
        ++commentDepth;
      } else if (c == ')') {
        if (--commentDepth == 0) pieces.hasComment = true;
      } else if (!pieces.hasComment) {
        pieces.comment += c;
      }
    } else if (c == '(') {
      commentDepth = 1;
      if (!inAngle) pieces.phrase += ' ';
    } else if (inAngle) {
      if (c == '>') {
        inAngle = false;
      } else {
        pieces.angle += c;  // a quoted local part stays as written
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == '<') {
      inAngle = true;
      pieces.hasAngle = true;
    } else if (c == ',' || c == ';') {
      AddMailbox(pieces, fallback, port, out);
    } else if (c == ':' && !pieces.hasAngle) {
      pieces = Pieces{};  // a group's name: its members follow
    } else {
      pieces.phrase += c;
    }
  }
  AddMailbox(pieces, fallback, port, out);
  return out;
}

std::string FormatMailboxes(const std::vector<Mailbox>& mailboxes) {
  std::string out;
  for (const Mailbox& mailbox : mailboxes) {
    if (!out.empty()) out += ", ";
    if (mailbox.name.empty()) {
      out += mailbox.address;
    } else if (mailbox.address.empty()) {
      out += mailbox.name;
    } else {
      out += mailbox.name + " <" + mailbox.address + ">";
    }
  }
  return out;
}

}  // namespace tessel::mail
