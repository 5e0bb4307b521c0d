#include "mail/mime_tree.h"

#include "mail/charset_text.h"
#include "mail/encoded_words.h"
#include "mail/header_block.h"
#include "mail/html_text.h"

namespace tessel::mail {
namespace {

constexpr int kDeepestNesting = 32;  // deeper parts are read as one part each

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The header block and the body after its empty line.
void SplitHeader(std::string_view message, std::string_view& header, std::string_view& body) {
  const std::size_t length = HeaderBlockLength(message);
  header = message.substr(0, length);
  std::size_t bodyStart = length;
  if (bodyStart < message.size() && message[bodyStart] == '\r') ++bodyStart;
  if (bodyStart < message.size() && message[bodyStart] == '\n') ++bodyStart;
  body = message.substr(bodyStart);
}

// The parts of a multipart body between its boundary lines; what precedes the
// first and follows the last is left out. A multipart that never closes ends
// with the body.
std::vector<std::string_view> SplitParts(std::string_view body, std::string_view boundary) {
  std::vector<std::string_view> parts;
  const std::string delimiter = "--" + std::string(boundary);
  std::size_t partStart = std::string_view::npos;
  std::size_t at = 0;
  while (true) {
    const std::size_t found = body.find(delimiter, at);
    if (found == std::string_view::npos) break;
    at = found + delimiter.size();
    if (found > 0 && body[found - 1] != '\n') continue;  // only at a line's start
    const bool closing = body.substr(at, 2) == "--";
    if (partStart != std::string_view::npos) {
      std::size_t partEnd = found;
      // The line end before the delimiter belongs to it.
      if (partEnd > partStart && body[partEnd - 1] == '\n') --partEnd;
      if (partEnd > partStart && body[partEnd - 1] == '\r') --partEnd;
      parts.push_back(body.substr(partStart, partEnd - partStart));
    }
    if (closing) return parts;
    const std::size_t lineEnd = body.find('\n', at);
    if (lineEnd == std::string_view::npos) return parts;
    partStart = lineEnd + 1;
  }
  if (partStart != std::string_view::npos) parts.push_back(body.substr(partStart));
  return parts;
}

MimePart ParsePart(std::string_view message, CharsetPort& port, int depth, std::string_view defaultType) {
  MimePart part;
  SplitHeader(message, part.header, part.body);
  const HeaderBlock header(part.header);
  if (const HeaderField* type = header.Find("Content-Type")) part.type = ParseHeaderValue(type->Value(), port);
  if (part.type.value.find('/') == std::string::npos) part.type.value = std::string(defaultType);
  if (const HeaderField* encoding = header.Find("Content-Transfer-Encoding")) {
    part.encoding = Lower(encoding->Value());
  }
  HeaderValue disposition;
  if (const HeaderField* field = header.Find("Content-Disposition")) {
    disposition = ParseHeaderValue(field->Value(), port);
    part.disposition = disposition.value;
  }
  part.name = disposition.Parameter("filename");
  if (part.name.empty()) part.name = part.type.Parameter("name");
  if (depth >= kDeepestNesting) return part;
  if (StartsWith(part.type.value, "multipart/")) {
    const std::string boundary = part.type.Parameter("boundary");
    if (boundary.empty()) return part;
    // A digest's parts are messages unless they say otherwise.
    const std::string_view childType = part.type.value == "multipart/digest" ? "message/rfc822" : "text/plain";
    for (const std::string_view child : SplitParts(part.body, boundary)) {
      part.children.push_back(ParsePart(child, port, depth + 1, childType));
    }
  } else if (part.type.value == "message/rfc822" && (part.encoding.empty() || part.encoding == "7bit" ||
                                                     part.encoding == "8bit" || part.encoding == "binary")) {
    part.children.push_back(ParsePart(part.body, port, depth + 1, "text/plain"));
  }
  return part;
}

bool IsAttachment(const MimePart& part) {
  return part.disposition == "attachment" || !part.name.empty() ||
         !(StartsWith(part.type.value, "text/plain") || StartsWith(part.type.value, "text/html"));
}

// The part's text in UTF-8: its declared charset, else read as undeclared bytes.
std::string PartText(const MimePart& part, CharsetPort& port) {
  const std::string bytes = DecodedBody(part);
  Charset charset;
  std::string text;
  if (FindCharset(part.type.Parameter("charset"), charset)) {
    AppendInCharset(text, bytes, charset, port);
  } else {
    AppendUndeclared(text, bytes, nullptr, port);
  }
  return text;
}

// The body part a person reads first, if any: a text/plain part, or the HTML
// of an alternative or a message that has nothing else.
const MimePart* FindBody(const MimePart& part) {
  if (part.children.empty()) {
    if (part.disposition == "attachment") return nullptr;
    const bool text = part.type.value == "text/plain" || part.type.value == "text/html";
    return text ? &part : nullptr;
  }
  if (part.type.value == "message/rfc822") return nullptr;  // an attached message is an attachment
  const MimePart* html = nullptr;
  for (const MimePart& child : part.children) {
    const MimePart* found = FindBody(child);
    if (found == nullptr) continue;
    if (found->type.value == "text/plain") return found;
    if (html == nullptr) html = found;
    // In a mixed multipart the first readable part is the body.
    if (part.type.value != "multipart/alternative") return html;
  }
  return html;
}

void CollectAttachments(const MimePart& part, const MimePart* body, CharsetPort& port, std::vector<Attachment>& out) {
  const bool message = part.type.value == "message/rfc822";
  if (!part.children.empty() && !message) {
    for (const MimePart& child : part.children) CollectAttachments(child, body, port, out);
    return;
  }
  if (&part == body || (!message && !IsAttachment(part))) return;
  Attachment attachment{&part, part.name, DecodedBody(part).size()};
  if (attachment.name.empty() && message && !part.children.empty()) {
    const HeaderBlock inner(part.children.front().header);
    if (const HeaderField* subject = inner.Find("Subject")) {
      attachment.name = DecodeHeaderText(subject->Value(), nullptr, port) + ".eml";
    }
  }
  if (attachment.name.empty()) {
    attachment.name = message ? "message.eml" : "attachment " + std::to_string(out.size() + 1);
  }
  out.push_back(std::move(attachment));
}

}  // namespace

MimePart ParseMime(std::string_view message, CharsetPort& port) { return ParsePart(message, port, 0, "text/plain"); }

std::string DecodedBody(const MimePart& part) {
  if (part.encoding == "base64") return DecodeBase64(part.body);
  if (part.encoding == "quoted-printable") return DecodeQuotedPrintable(part.body, false);
  return std::string(part.body);
}

MessageText ReadMessageText(const MimePart& root, CharsetPort& port) {
  MessageText text;
  const MimePart* body = FindBody(root);
  if (body != nullptr) {
    text.body = PartText(*body, port);
    if (body->type.value == "text/html") text.body = HtmlToText(text.body);
  }
  CollectAttachments(root, body, port, text.attachments);
  return text;
}

}  // namespace tessel::mail
