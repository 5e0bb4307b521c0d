#include "export/mbox_format.h"

#include "export/mail_header.h"

namespace tessel::exporting {
namespace {

constexpr std::string_view kFromSpace = "From ";
constexpr char kNoSender[] = "MAILER-DAEMON";

std::string Sender(std::string_view header) {
  for (const char* field : {"Return-Path", "From"}) {
    if (const auto value = HeaderValue(header, field)) {
      std::string address = AddressIn(*value);
      if (!address.empty()) return address;
    }
  }
  return kNoSender;
}

std::int64_t SeparatorDate(std::string_view header) {
  if (const auto date = HeaderValue(header, "Date")) {
    if (const auto seconds = ParseMailDate(*date)) return *seconds;
  }
  if (const auto received = HeaderValue(header, "Received")) {
    const size_t semicolon = received->rfind(';');
    if (semicolon != std::string::npos) {
      if (const auto seconds = ParseMailDate(std::string_view(*received).substr(semicolon + 1))) return *seconds;
    }
  }
  return 0;
}

}  // namespace

std::string MboxFromLine(std::string_view header) {
  return "From " + Sender(header) + " " + AsctimeUtc(SeparatorDate(header)) + "\n";
}

void MboxQuoter::Append(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    if (keepCrLf_) {
      Put(out, c);
      continue;
    }
    if (pendingCr_) {
      pendingCr_ = false;
      if (c != '\n') Put(out, '\r');  // a lone CR is no line end
    }
    if (c == '\r') {
      pendingCr_ = true;
      continue;
    }
    Put(out, c);
  }
}

void MboxQuoter::Put(std::string& out, char c) {
  if (!atLineStart_) {
    out += c;
    last_ = c;
    atLineStart_ = c == '\n';
    return;
  }
  if (fromMatched_ == 0 && c == '>') {
    held_ += c;
    return;
  }
  held_ += c;
  if (c == kFromSpace[fromMatched_]) {
    if (++fromMatched_ < kFromSpace.size()) return;
    out += '>';  // a line beginning with ">*From ": one more ">"
  }
  out += held_;  // otherwise what was held goes out as it is
  last_ = c;
  held_.clear();
  fromMatched_ = 0;
  atLineStart_ = c == '\n';
}

void MboxQuoter::Finish(std::string& out) {
  if (pendingCr_) Put(out, '\r');
  pendingCr_ = false;
  out += held_;
  if (!held_.empty()) last_ = held_.back();
  held_.clear();
  fromMatched_ = 0;
  if (last_ != '\n') out += '\n';
  out += '\n';
  atLineStart_ = true;
  last_ = '\n';
}

}  // namespace tessel::exporting
