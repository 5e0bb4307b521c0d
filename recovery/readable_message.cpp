#include "recovery/readable_message.h"

#include <algorithm>

#include "engine/skipping_reader.h"

namespace tessel::recovery {

namespace {

std::string RecordBytes(ByteReader& store, const MessageRecord& record) {
  SkippingReader reader(store);
  const std::int64_t length = std::min(record.length, kMostMessageBytes);
  const std::int64_t available = std::max<std::int64_t>(0, std::min(store.Size() - record.offset, length));
  std::string bytes(static_cast<std::size_t>(available), '\0');
  bytes.resize(reader.ReadAt(record.offset, bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace

ReadableMessage::ReadableMessage(ByteReader& store, const MessageRecord& record)
    : bytes_(RecordBytes(store, record)), cutToLimit_(record.length > kMostMessageBytes) {
  root_ = mail::ParseMime(bytes_, mail::SystemCharsets());
  header_ = mail::ReadHeader(root_.header, mail::SystemCharsets());
  text_ = mail::ReadMessageText(root_, mail::SystemCharsets());
}

std::string ReadableMessage::AttachmentBytes(std::size_t index) const {
  return index < text_.attachments.size() ? mail::DecodedBody(*text_.attachments[index].part) : std::string();
}

}  // namespace tessel::recovery
