// The four readable cells of whole messages as they cross today's relays, and
// the header block read out of a store.
#include <gtest/gtest.h>

#include <cstring>

#include "mail/header_block.h"
#include "mail/readable_header.h"
#include "mail/record_header.h"

namespace tessel::mail {
namespace {

// 10+ KB of Received, ARC and DKIM lines before From, as large hosted relays write them.
std::string RelayLines() {
  std::string lines;
  for (int hop = 0; lines.size() < 12000; ++hop) {
    lines += "Received: from mail-relay" + std::to_string(hop) +
             ".outbound.example.net (mail-relay.outbound.example.net [203.0.113." + std::to_string(hop) +
             "])\r\n\tby mx.example.org with ESMTPS id x" + std::to_string(hop) +
             "\r\n\tfor <anna@example.org>; Tue, 4 Mar 2003 10:00:00 +0000\r\n"
             "ARC-Seal: i=" +
             std::to_string(hop) +
             "; a=rsa-sha256; t=1046772000; cv=pass;\r\n"
             "\td=example.net; s=arc-2003; b=dGhpcyBpcyBub3QgYSByZWFsIHNpZ25hdHVyZSBqdXN0IGZpbGxlcg==\r\n";
  }
  return lines;
}

TEST(ReadableHeader, ReadsTheWholeBlockFoldedAndEncoded) {
  const std::string message = RelayLines() +
                              "From: =?windows-1251?B?yOLg7SDP5fLw7uI=?= <ivan@example.ru>\r\n"
                              "To: \"Anna K.\" <anna@example.org>,\r\n bob@example.org\r\n"
                              "Subject: =?ISO-2022-JP?B?GyRCJCo4K0BRJGokTiQ0ME1NahsoQg==?=\r\n"
                              " =?utf-8?Q?_=E2=80=94_Nr=2E_5?=\r\n"
                              "Date: Tue, 4 Mar 2003 13:05:00 +0300\r\n"
                              "Content-Type: text/plain; charset=koi8-r\r\n"
                              "\r\n"
                              "From: not@the.header\r\n";
  const ReadableHeader header = ReadHeader(message, SystemCharsets());
  EXPECT_EQ(header.from, "Иван Петров <ivan@example.ru>");
  EXPECT_EQ(header.to, "Anna K. <anna@example.org>, bob@example.org");
  EXPECT_EQ(header.subject, "お見積りのご依頼 — Nr. 5");
  EXPECT_EQ(header.date, "2003-03-04 13:05 +0300");
  EXPECT_EQ(header.dateUtc, "2003-03-04T10:05:00Z");

  // Absent fields are empty; a date that cannot be read is shown as written;
  // raw 8-bit bytes are read in the declared charset.
  const ReadableHeader bare = ReadHeader(
      "Subject: \xEF\xD4\xDE\xA3\xD4\nDate: sometime in March\nContent-Type: text/plain;\n charset=\"KOI8-R\"\n\n",
      SystemCharsets());
  EXPECT_EQ(bare.from, "");
  EXPECT_EQ(bare.to, "");
  EXPECT_EQ(bare.subject, "Отчёт");
  EXPECT_EQ(bare.date, "sometime in March");
  EXPECT_EQ(bare.dateUtc, "");
}

TEST(HeaderBlock, EndsAtTheEmptyLineOrTheLimit) {
  EXPECT_EQ(HeaderBlockLength("A: 1\r\nB: 2\r\n\r\nbody"), 12U);
  EXPECT_EQ(HeaderBlockLength("A: 1\nB: 2\n\nbody"), 10U);
  EXPECT_EQ(HeaderBlockLength("A: 1\r\nno end"), 12U);
  const std::string endless(kMaxHeaderBlock + 100, 'x');
  EXPECT_EQ(HeaderBlockLength(endless), kMaxHeaderBlock);
  const HeaderBlock block("From mbox-line 2003\r\nSubject : old\r\n\tstyle\r\nbroken line\r\n\r\nX: body");
  ASSERT_EQ(block.Fields().size(), 1U);
  EXPECT_EQ(block.Find("SUBJECT")->Value(), "old\tstyle");
  EXPECT_EQ(block.Find("X"), nullptr);
}

class MemoryReader final : public ByteReader {
 public:
  explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) override {
    ++reads;
    if (offset < 0 || offset >= Size()) return 0;
    return bytes_.copy(static_cast<char*>(buffer), count, static_cast<std::size_t>(offset));
  }
  int LastError() const override { return 0; }
  int reads = 0;

 private:
  std::string bytes_;
};

TEST(RecordHeaders, ReadUpToTheEmptyLineWithinTheRecord) {
  const std::string first = RelayLines() + "Subject: one\r\n\r\nbody one\r\n";
  const std::string second = "Subject: two\r\n\r\nbody two\r\n";
  MemoryReader store(first + second + "Subject: cut short by the store's end");
  RecordHeaders headers(store);
  const MessageRecord one{0, static_cast<std::int64_t>(first.size())};
  EXPECT_EQ(headers.Read(one), first.substr(0, first.find("\r\n\r\n") + 2));
  const MessageRecord two{one.End(), static_cast<std::int64_t>(second.size())};
  EXPECT_EQ(headers.Read(two), "Subject: two\r\n");
  // A record ends its header where the record ends, even mid-line.
  EXPECT_EQ(headers.Read({one.End(), 9}), "Subject: ");
  EXPECT_EQ(headers.Read({two.End(), 1000}), "Subject: cut short by the store's end");
  EXPECT_EQ(store.reads, 1) << "the store read ahead, not once per record";
  EXPECT_EQ(headers.Read({store.Size() + 5, 10}), "");
  EXPECT_EQ(headers.Read({-5, 10}), "");
}

}  // namespace
}  // namespace tessel::mail
