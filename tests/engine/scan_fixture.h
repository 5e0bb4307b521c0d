// What the engine tests share: a scratch folder of files built by the test, an
// engine context over rows in memory, and builders for messages and indexes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace tessel::testing {

using Rows = std::vector<std::vector<std::string>>;

// A fresh folder per test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string Path(const std::string& name) const;
  std::string Read(const std::string& name) const;

 private:
  std::filesystem::path folder_;
};

// Records every progress call, in order.
class RecordingProgressBar final : public ProgressBar {
 public:
  struct Call {
    bool isRange;
    std::int64_t value;
  };
  void SetRange(std::int64_t upper) override { calls.push_back({true, upper}); }
  void SetPosition(std::int64_t position) override { calls.push_back({false, position}); }
  std::vector<Call> calls;
};

// An engine context over a MemoryList and a RecordingProgressBar.
struct EngineRun {
  MemoryList list;
  RecordingProgressBar progress;
  ScanGlobals globals;
  ScanContext context = globals.ContextFor(list, progress);

  const Rows& rows() const { return list.Rows(); }
};

// A message as mail clients store it: header lines, a blank line, a body.
std::string Message(const std::string& from, const std::string& subject, const std::string& body = "Hello\r\n");
// The same with its header lines before MIME-Version.
std::string MessageWithLeadingHeaders(const std::string& from, const std::string& subject,
                                      const std::string& body = "Hello\r\n");

// An index: the signature, 4 bytes, then entries (marker and little-endian length).
std::string IndexHeader();
std::string IndexEntry(std::uint32_t length);
std::string LittleEndian32(std::uint32_t value);

// A message row as the engine writes it.
std::vector<std::string> MessageRow(const std::string& from, const std::string& subject, const std::string& to,
                                    const std::string& date, std::int64_t offset, std::int64_t length);

}  // namespace tessel::testing
