#include "cli/mbox_format.h"

namespace tessel::cli {
namespace {

constexpr std::string_view kFromSpace = "From ";
// The date of the separator line: the messages carry their own Date headers,
// which is what mail clients show; a fixed date keeps exports reproducible.
constexpr std::string_view kSeparatorDate = "Thu Jan  1 00:00:00 1970";

bool IsAddressChar(char c) {
  return c > ' ' && c != '<' && c != '>' && c != '"' && c != ',' && c != '(' && c != ')' && c < 0x7F;
}

// The address in a From value: inside angle brackets, else the first word with "@".
std::string SenderAddress(std::string_view from) {
  const size_t open = from.find('<');
  const size_t close = open == std::string_view::npos ? open : from.find('>', open);
  if (close != std::string_view::npos) {
    const std::string_view inside = from.substr(open + 1, close - open - 1);
    if (inside.find('@') != std::string_view::npos) from = inside;
  }
  const size_t at = from.find('@');
  if (at == std::string_view::npos) return {};
  size_t first = at, last = at + 1;
  while (first > 0 && IsAddressChar(from[first - 1])) --first;
  while (last < from.size() && IsAddressChar(from[last])) ++last;
  if (first == at || last == at + 1) return {};
  return std::string(from.substr(first, last - first));
}

}  // namespace

std::string MboxFromLine(std::string_view fromCell) {
  std::string sender = SenderAddress(fromCell);
  if (sender.empty()) sender = "MAILER-DAEMON";
  return "From " + sender + " " + std::string(kSeparatorDate) + "\n";
}

void MboxQuoter::Append(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    if (atLineStart_) {
      if (fromMatched_ == 0 && c == '>') {
        held_ += c;
        continue;
      }
      if (c == kFromSpace[fromMatched_]) {
        held_ += c;
        if (++fromMatched_ < kFromSpace.size()) continue;
        out += '>';  // a line beginning with ">*From ": one more ">"
      } else {
        held_ += c;  // not such a line: what was held goes out as it is
      }
      out += held_;
      last_ = c;
      held_.clear();
      fromMatched_ = 0;
      atLineStart_ = c == '\n';
      continue;
    }
    out += c;
    last_ = c;
    atLineStart_ = c == '\n';
  }
}

void MboxQuoter::Finish(std::string& out) {
  out += held_;
  if (!held_.empty()) last_ = held_.back();
  held_.clear();
  fromMatched_ = 0;
  if (last_ != '\n') out += '\n';
  out += '\n';
  atLineStart_ = true;
  last_ = '\n';
}

}  // namespace tessel::cli
