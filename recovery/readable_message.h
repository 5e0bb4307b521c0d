// A message read for a person, for tessel show --text and --part and the
// wizard's message view: its record's bytes as the store has them (bytes that
// cannot be read as NUL bytes), its header, the text of its body and its
// attachments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/message_row.h"
#include "engine/source_file.h"
#include "mail/mime_tree.h"
#include "mail/readable_header.h"

namespace tessel::recovery {

// The most of a record read for a person: more is no mail anyone reads (a
// deep scan's row of unclaimed bytes can span a whole damaged store).
constexpr std::int64_t kMostMessageBytes = std::int64_t{256} << 20;

class ReadableMessage {
 public:
  // Reads `record` from `store`, through the reader that passes unreadable bytes.
  ReadableMessage(ByteReader& store, const MessageRecord& record);
  // The parts point into the bytes kept here.
  ReadableMessage(const ReadableMessage&) = delete;
  ReadableMessage& operator=(const ReadableMessage&) = delete;

  // True when only the first kMostMessageBytes of the record were read.
  bool CutToLimit() const { return cutToLimit_; }
  const mail::ReadableHeader& Header() const { return header_; }
  const mail::MessageText& Text() const { return text_; }
  // Attachment `index` (from 0) decoded; empty for one that does not exist.
  std::string AttachmentBytes(std::size_t index) const;

 private:
  std::string bytes_;
  bool cutToLimit_ = false;
  mail::MimePart root_;
  mail::ReadableHeader header_;
  mail::MessageText text_;
};

}  // namespace tessel::recovery
