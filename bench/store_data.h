// A large message store and its index for the store benchmarks, generated on
// demand (never committed): realistic mail, plain and with base64 attachments,
// a few KB each, back to back; an index whose entries give every length.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/support/mail_files.h"

namespace tessel::bench {

// Deterministic, so every machine measures the same bytes.
class Lcg {
 public:
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33);
  }
  uint32_t Below(uint32_t n) { return Next() % n; }

 private:
  uint64_t state_ = 0x7E55E1;
};

inline const char* const kWords[] = {"the",     "garden", "meeting", "photos",   "invoice", "friday",  "tickets",
                                     "weather", "please", "thanks",  "about",    "would",   "could",   "office",
                                     "holiday", "dinner", "report",  "attached", "family",  "project", "tomorrow",
                                     "morning", "letter", "station", "booking",  "summer",  "price",   "order",
                                     "called",  "before", "again",   "kind"};
inline const char* const kPeople[] = {"Anna Berger <anna.berger@example.org>",     "Tom Hale <tom.hale@example.net>",
                                      "\"Maria Lopez\" <maria.lopez@example.com>", "news@lists.example.com",
                                      "Lukas Wagner <lukas@example.at>",           "billing@energy.example"};

inline std::string Sentence(Lcg& random, size_t length) {
  std::string line;
  while (line.size() < length) {
    if (!line.empty()) line += ' ';
    line += kWords[random.Below(32)];
  }
  return line;
}

inline std::string BenchMessage(Lcg& random, uint32_t number) {
  std::string m;
  m += "Return-Path: <sender" + std::to_string(number % 97) + "@example.org>\r\n";
  m += std::string("From: ") + kPeople[random.Below(6)] + "\r\n";
  m += std::string("To: ") + kPeople[random.Below(6)] + "\r\n";
  m += "Subject: " + Sentence(random, 10 + random.Below(40)) + "\r\n";
  m += "Date: Mon, " + std::to_string(1 + number % 28) + " Mar 2008 09:" + std::to_string(10 + number % 50) +
       ":22 +0100\r\n";
  m += "Message-ID: <" + std::to_string(number) + ".4711@mail.example.org>\r\n";
  m += "MIME-Version: 1.0\r\n";
  const bool attachment = random.Below(4) == 0;
  if (attachment) m += "Content-Type: multipart/mixed; boundary=\"----=_Part_1\"\r\n\r\n------=_Part_1\r\n";
  m += "Content-Type: text/plain; charset=\"us-ascii\"\r\n\r\n";
  const uint32_t lines = 10 + random.Below(60);
  for (uint32_t i = 0; i < lines; ++i) m += Sentence(random, 20 + random.Below(50)) + "\r\n";
  if (attachment) {
    m += "\r\n------=_Part_1\r\nContent-Type: application/octet-stream; name=\"scan.pdf\"\r\n"
         "Content-Transfer-Encoding: base64\r\n\r\n";
    static const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const uint32_t blocks = 20 + random.Below(80);
    for (uint32_t i = 0; i < blocks; ++i) {
      std::string line(76, 'A');
      for (char& c : line) c = kBase64[random.Below(64)];
      m += line + "\r\n";
    }
    m += "------=_Part_1--\r\n";
  }
  m += "Tom\r\n";
  return m;
}

inline int64_t FileSize(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

// Writes `folder`/Bench.imm of at least `bytes` bytes and its index
// Bench.imh, unless both are there from an earlier run. Returns the number of
// messages, or -1 on failure.
inline long long EnsureBenchStore(const std::string& folder, int64_t bytes) {
  const std::string store = folder + "/Bench.imm", index = folder + "/Bench.imh", stamp = folder + "/Bench.count";
  if (FileSize(store) >= bytes && FileSize(index) > 0) {
    if (std::FILE* f = std::fopen(stamp.c_str(), "r")) {
      long long count = -1;
      const int got = std::fscanf(f, "%lld", &count);
      std::fclose(f);
      if (got == 1 && count > 0) return count;
    }
  }
  ::mkdir(folder.c_str(), 0755);
  std::FILE* out = std::fopen(store.c_str(), "wb");
  if (out == nullptr) return -1;
  std::string indexBytes = mailfiles::IndexHeader(1);
  Lcg random;
  std::string buffer;
  int64_t written = 0;
  uint32_t count = 0;
  while (written < bytes) {
    std::string message = BenchMessage(random, count);
    // A length byte pattern 00 03 00 would read as part of a marker.
    if ((message.size() & 0xFF) == 0) message += "\r\n";
    indexBytes += mailfiles::IndexRecord(static_cast<uint32_t>(message.size()), 1,  // flags: read
                                         0x47CB0008u | ((count * 7919u) & 0xFFF0u), count | 0x80000000u);
    buffer += message;
    written += static_cast<int64_t>(message.size());
    ++count;
    // Written 8 MiB at a time: few writes, and the store is never held whole.
    if (buffer.size() >= (8u << 20)) {
      if (std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size()) break;
      buffer.clear();
    }
  }
  const bool storeOk = std::fwrite(buffer.data(), 1, buffer.size(), out) == buffer.size() && std::fclose(out) == 0;
  std::FILE* indexFile = std::fopen(index.c_str(), "wb");
  if (!storeOk || indexFile == nullptr) return -1;
  const bool indexOk = std::fwrite(indexBytes.data(), 1, indexBytes.size(), indexFile) == indexBytes.size();
  if (std::fclose(indexFile) != 0 || !indexOk) return -1;
  if (std::FILE* f = std::fopen(stamp.c_str(), "w")) {
    std::fprintf(f, "%u\n", count);
    std::fclose(f);
  }
  return count;
}

}  // namespace tessel::bench
